#include "chat/qt/chat_column.h"
#include "chat/qt/chat_controls.h"
#include "chat/qt/chat_input.h"
#include "chat/qt/transcript_pane.h"
#include "net/chat_limits.h"
#include "net/error_report.h"
#include "wire_bytes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace kalvex {
namespace {

class FakeHost : public ChatHost
{
public:
    void send(const std::string &bytes) override
    {
        if (!connected)
            throw std::runtime_error("Send - Socket Not Connected");
        sent.push_back(bytes);
    }
    bool loggedin() const override { return logged; }
    int myslot() const override { return 2; }
    std::optional<std::string> seatName(int slot) const override
    {
        return slot >= 1 && slot <= 10 ? std::optional<std::string>("Seat" + std::to_string(slot))
                                       : std::nullopt;
    }
    bool chatterSoundsOn() const override { return false; }
    void playChatterSound(std::string_view) override {}
    void saveTextColour() override { ++saves; }

    std::vector<std::string> sent;
    bool logged = true;
    bool connected = true;
    int saves = 0;
};

using test::wire;

class Controls : public ::testing::Test
{
protected:
    Controls()
    {
        window.resize(628, 408);
        window.show();
    }
    // The controls go before the composer they work for.
    ~Controls() override { delete column; }

    QAction *entry(QMenu *menu, const QString &text)
    {
        for (QAction *action : menu->actions()) {
            if (action->text() == text)
                return action;
        }
        ADD_FAILURE() << "no entry " << text.toStdString();
        return nullptr;
    }

    ChatControls &attachedControls()
    {
        column->attach(composer);
        return column->controls();
    }

    QWidget window;
    FakeHost host;
    ChatColumn *column = new ChatColumn(&window);
    TranscriptPane *pane = &column->transcript();
    ChatComposer composer{host, pane->transcript()};
    ChatControls &controls = attachedControls();
    ChatInput *input = window.findChild<ChatInput *>(QStringLiteral("mychat"));
};

TEST_F(Controls, TheColumnLaysOutItsPartsWithTheirNames)
{
    // The column's parts, in the main window's client area where the column
    // stands at (349, 12).
    column->move(349, 12);
    auto place = [this](QWidget *part) {
        return QRect(part->mapTo(&window, QPoint(0, 0)), part->size());
    };
    EXPECT_EQ(column->size(), QSize(267, 385));
    EXPECT_EQ(place(pane), QRect(349, 34, 267, 339));
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(place(input), QRect(349, 375, 236, 22));
    EXPECT_EQ(input->text(), QStringLiteral("<Enter Chat Here>"));
    const int lefts[] = {349, 376, 403, 429, 456, 483, 509, 536, 563, 590};
    for (int n = 1; n <= 10; ++n) {
        auto *button = window.findChild<QToolButton *>(QStringLiteral("b_phrase%1").arg(n));
        ASSERT_NE(button, nullptr) << n;
        EXPECT_EQ(place(button), QRect(lefts[n - 1], 12, 25, 19)) << n;
    }
    EXPECT_EQ(controls.phraseButton(1)->toolTip(), QStringLiteral("Way To Go!"));
    EXPECT_EQ(controls.phraseButton(9)->toolTip(), QStringLiteral("Good Game Everyone!"));
    auto *sounds = window.findChild<QToolButton *>(QStringLiteral("b_phrase10"));
    EXPECT_EQ(sounds, controls.chatterButton());
    EXPECT_EQ(sounds->toolTip(), QStringLiteral("Chatter Sounds"));
    auto *smilies = window.findChild<QToolButton *>(QStringLiteral("button_smilies"));
    ASSERT_NE(smilies, nullptr);
    EXPECT_EQ(smilies, controls.smiliesButton());
    EXPECT_EQ(place(smilies), QRect(586, 375, 27, 21));
    EXPECT_EQ(smilies->toolTip(), QStringLiteral("See ya!"));
}

TEST_F(Controls, EnterSendsTheTypedLineAndEmptiesTheInput)
{
    input->setFocus();
    QTest::keyClicks(input, QStringLiteral("hello there"));
    EXPECT_EQ(input->text(), QStringLiteral("hello there"));
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_EQ(host.sent, (std::vector<std::string>{wire("CMD_chat+2+hello there|clBlack")}));
    EXPECT_TRUE(input->text().isEmpty());
    QTest::keyClicks(input, QStringLiteral("/meow"));
    QTest::keyClick(input, Qt::Key_Enter);
    EXPECT_EQ(host.sent.back(), wire("CMD_action+2+w|clBlack"));
}

TEST_F(Controls, EnterOnThePlaceholderSendsNothing)
{
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(input->text().isEmpty());
}

TEST_F(Controls, AnyKeyRemovesThePlaceholder)
{
    QTest::keyClick(input, Qt::Key_Shift);
    EXPECT_TRUE(input->text().isEmpty());
}

TEST_F(Controls, InputMethodTextAlsoRemovesThePlaceholder)
{
    QInputMethodEvent event;
    event.setCommitString(QStringLiteral("\u00e9t\u00e9"));
    QApplication::sendEvent(input, &event);
    EXPECT_EQ(input->text(), QStringLiteral("\u00e9t\u00e9"));
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_EQ(host.sent, (std::vector<std::string>{wire("CMD_chat+2+\xC3\xA9t\xC3\xA9|clBlack")}));
}

TEST_F(Controls, EnterBeforeLoginKeepsTheText)
{
    host.logged = false;
    QTest::keyClicks(input, QStringLiteral("early"));
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_EQ(input->text(), QStringLiteral("early"));
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(Controls, SmiliesMenuAppendsTheCodeAtTheEnd)
{
    QMenu *menu = window.findChild<QMenu *>(QStringLiteral("popup_smilies"));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 17);
    EXPECT_EQ(menu->actions().front()->text(), QStringLiteral(":)#10"));
    EXPECT_EQ(menu->actions().back()->text(), QStringLiteral(":)#26"));

    entry(menu, QStringLiteral(":)#15"))->trigger();
    EXPECT_EQ(input->text(), QStringLiteral(":)#15"));
    input->setCursorPosition(0);
    entry(menu, QStringLiteral(":)#20"))->trigger();
    EXPECT_EQ(input->text(), QStringLiteral(":)#15:)#20"));
    EXPECT_EQ(input->cursorPosition(), input->text().size());
    EXPECT_FALSE(input->hasSelectedText());
}

TEST_F(Controls, SmiliesButtonOpensItsMenu)
{
    QMenu *menu = controls.smiliesMenu();
    QTest::mouseClick(window.findChild<QToolButton *>(QStringLiteral("button_smilies")),
                      Qt::LeftButton);
    EXPECT_TRUE(menu->isVisible());
    menu->close();
}

TEST_F(Controls, ChatterSoundsMenuSendsTheChosenSound)
{
    QMenu *menu = window.findChild<QMenu *>(QStringLiteral("popup_sounds"));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 21);
    EXPECT_EQ(menu->actions().front()->text(), QStringLiteral("<Cancel>"));
    EXPECT_EQ(menu->actions()[20]->text(), QStringLiteral("Crying"));
    menu->actions().front()->trigger();
    entry(menu, QStringLiteral("Applause"))->trigger();
    EXPECT_EQ(host.sent, (std::vector<std::string>{wire("CMD_playasound+2+wave13+")}));
}

TEST_F(Controls, ReceivedChatterSoundIsAnnouncedWhenSoundsAreOff)
{
    controls.playasound("3+wave13+");
    ASSERT_EQ(pane->transcript().items().size(), 1u);
    EXPECT_EQ(pane->transcript().items()[0].text, "Seat3:  <Chatter Sound> Applause ");
}

TEST_F(Controls, CtrlVAppendsTheClipboardAtTheEnd)
{
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    QTest::keyClicks(input, QStringLiteral("abc"));
    input->setCursorPosition(0);
    QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(input->text(), QStringLiteral("abcpasted"));
    EXPECT_EQ(input->cursorPosition(), input->text().size());
}

TEST_F(Controls, ContextMenuPasteKeepsThePlaceholder)
{
    QApplication::clipboard()->setText(QStringLiteral("two\nlines"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            input->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(input, &event);
    auto *menu = input->findChild<QMenu *>(QStringLiteral("mychatMenu"));
    ASSERT_NE(menu, nullptr);
    auto *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"));
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    EXPECT_EQ(input->text(), QStringLiteral("<Enter Chat Here>two lines"));
    menu->close();
}

TEST_F(Controls, PhraseButtonsLockUntilTheDispatchTimerHasTickedEnough)
{
    QTest::mouseClick(controls.phraseButton(7), Qt::LeftButton);
    QTest::mouseClick(controls.phraseButton(7), Qt::LeftButton);
    EXPECT_EQ(host.sent, (std::vector<std::string>{wire("CMD_action+2+says: Thanks!|clBlack")}));
    for (int i = 0; i < 101; ++i)
        controls.tick();
    controls.setPhrase(7, "/me bows");
    EXPECT_EQ(controls.phraseButton(7)->toolTip(), QStringLiteral("/me bows"));
    QTest::mouseClick(controls.phraseButton(7), Qt::LeftButton);
    EXPECT_EQ(host.sent.back(), wire("CMD_action+2+bows|clBlack"));
}

TEST_F(Controls, TextColourIsPickedFromTheCurrentOneAndSaved)
{
    QColor offered;
    controls.setColourPicker([&](const QColor &current, QWidget *) -> std::optional<QColor> {
        offered = current;
        return QColor(0, 128, 0);
    });
    controls.chooseTextColour();
    EXPECT_EQ(offered, QColor(Qt::black));
    EXPECT_EQ(controls.composer().textColour(), 0x008000u);
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(input->palette().color(QPalette::Text), QColor(0, 128, 0));

    controls.setColourPicker([&](const QColor &current, QWidget *) -> std::optional<QColor> {
        offered = current;
        return std::nullopt;
    });
    controls.chooseTextColour();
    EXPECT_EQ(offered, QColor(0, 128, 0));
    EXPECT_EQ(controls.composer().textColour(), 0x008000u);
    EXPECT_EQ(host.saves, 1);

    QTest::keyClicks(input, QStringLiteral("green"));
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_EQ(host.sent.back(), wire("CMD_chat+2+green|clGreen"));
}

TEST_F(Controls, ClearMainChatPutsTheFocusInTheInput)
{
    QApplication::setActiveWindow(&window);
    pane->setFocus();
    ASSERT_TRUE(pane->hasFocus());
    pane->clearMainChat();
    EXPECT_TRUE(input->hasFocus());
}

// Records what reaches the error reporter while it lives.
class RecordedErrors
{
public:
    RecordedErrors()
    {
        previous = setErrorSink([this](ErrorOrigin origin, const std::string &text) {
            reports.push_back({origin, text});
        });
    }
    ~RecordedErrors() { setErrorSink(previous); }
    std::vector<std::pair<ErrorOrigin, std::string>> reports;

private:
    ErrorSink previous;
};

TEST_F(Controls, AFailedSendIsReportedAndNeverUnwindsThroughQt)
{
    RecordedErrors errors;
    host.connected = false;
    const std::pair<ErrorOrigin, std::string> failure{ErrorOrigin::Local,
                                                      "Send - Socket Not Connected"};
    EXPECT_NO_THROW(QTest::mouseClick(controls.phraseButton(1), Qt::LeftButton));
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports.back(), failure);

    EXPECT_NO_THROW(entry(window.findChild<QMenu *>(QStringLiteral("popup_sounds")), QStringLiteral("Applause"))->trigger());
    ASSERT_EQ(errors.reports.size(), 2u);
    EXPECT_EQ(errors.reports.back(), failure);

    QTest::keyClicks(input, QStringLiteral("hello"));
    EXPECT_NO_THROW(QTest::keyClick(input, Qt::Key_Return));
    ASSERT_EQ(errors.reports.size(), 3u);
    EXPECT_EQ(errors.reports.back(), failure);
    // The line was not sent, so the user keeps it.
    EXPECT_EQ(input->text(), QStringLiteral("hello"));

    EXPECT_NO_THROW(entry(controls.smiliesMenu(), QStringLiteral(":)#12"))->trigger());
    EXPECT_EQ(errors.reports.size(), 3u);
    EXPECT_TRUE(host.sent.empty());
}

QString repeatedText(const QString &piece, int count)
{
    return piece.repeated(count);
}

// Types text a character at a time, as a keyboard of that script does.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

const QString kCjk = QStringLiteral("\u6f22");      // three bytes in UTF-8
const QString kCyrillic = QStringLiteral("\u0416"); // two bytes

TEST_F(Controls, TheInputHoldsNoMoreThanOneChatLineCanCarry)
{
    const int cjkFit = int(kMaxChatTextBytes / 3);
    // Pasting 30,000 CJK characters keeps what fits, cut between characters.
    QApplication::clipboard()->setText(repeatedText(kCjk, 30000));
    QTest::keyClick(input, Qt::Key_Shift); // the placeholder goes
    QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(input->text(), repeatedText(kCjk, cjkFit));
    EXPECT_EQ(input->cursorPosition(), input->text().size());
    // The user is told why once, not at every key.
    const auto notices = [&] { return pane->transcript().items().size(); };
    ASSERT_EQ(notices(), 1u);
    EXPECT_EQ(pane->transcript().items()[0].style, kSystemStyle);

    // Two bytes are left: a CJK character does not fit, a Cyrillic one does.
    typeText(input, kCjk);
    EXPECT_EQ(input->text(), repeatedText(kCjk, cjkFit));
    typeText(input, kCyrillic + kCyrillic + QStringLiteral("a"));
    EXPECT_EQ(input->text(), repeatedText(kCjk, cjkFit) + kCyrillic);
    EXPECT_EQ(notices(), 1u);

    QTest::keyClick(input, Qt::Key_Return);
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(
        host.sent[0],
        wire("CMD_chat+2+" + (repeatedText(kCjk, cjkFit) + kCyrillic).toStdString() + "|clBlack"));
    // A new line may be told again.
    QTest::keyClicks(input, QStringLiteral("x"));
    QApplication::clipboard()->setText(repeatedText(kCyrillic, 30000));
    QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(input->text(),
              QStringLiteral("x") + repeatedText(kCyrillic, int(kMaxChatTextBytes - 1) / 2));
    EXPECT_EQ(notices(), 2u);
}

TEST_F(Controls, TextInsertedInTheMiddleIsCutAtItsOwnEnd)
{
    QTest::keyClick(input, Qt::Key_Shift);
    input->setText(QStringLiteral("begin end"));
    input->setCursorPosition(6);
    // Text typed by an input method or dropped in arrives as one insertion.
    QInputMethodEvent event;
    event.setCommitString(repeatedText(kCjk, 30000));
    QApplication::sendEvent(input, &event);
    const int room = int(kMaxChatTextBytes - 9) / 3;
    EXPECT_EQ(input->text(),
              QStringLiteral("begin ") + repeatedText(kCjk, room) + QStringLiteral("end"));
    EXPECT_EQ(input->cursorPosition(), 6 + room);
}

} // namespace
} // namespace kalvex
