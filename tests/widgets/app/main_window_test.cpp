// The main window and the program's windows, built offscreen with private
// places and ports.

#include "app/qt/client_link.h"
#include "app/qt/error_box.h"
#include "app/qt/main_window.h"
#include "app/qt/program.h"
#include "app/qt/single_instance.h"
#include "app/qt/translations.h"
#include "bot/qt/computer_players.h"
#include "chat/qt/chat_controls.h"
#include "chat/qt/chat_input.h"
#include "chat/qt/transcript_pane.h"
#include "client/qt/board_panel.h"
#include "free_port.h"
#include "net/error_report.h"
#include "server/qt/tserver.h"
#include "tally/qt/tally_list.h"
#include "windows/qt/about_form.h"
#include "windows/qt/download_form.h"
#include "windows/qt/gamestart_form.h"
#include "windows/qt/help_form.h"
#include "windows/qt/phrases_form.h"
#include "windows/qt/spylist_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace kalvex;

namespace {

const QByteArray T(1, '\xFF');

using test::freePort;

// Every test gets its own home, runtime directory and ports.
class ProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("KALVEX_HOME", home.path().toUtf8());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        gamePort = freePort();
        lobbyPort = freePort();
        qputenv("KALVEX_PORT", QByteArray::number(gamePort));
        qputenv("KALVEX_LOBBY_PORT", QByteArray::number(lobbyPort));
        previousSink =
            setErrorSink([this](ErrorOrigin, const std::string &text) { errors.push_back(text); });
    }
    void TearDown() override
    {
        program.reset();
        setErrorSink(previousSink);
    }
    MainWindow &start(const QStringList &arguments)
    {
        program = std::make_unique<Program>(arguments);
        MainWindow &window = program->mainWindow();
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(50);
        return window;
    }
    QStringList transcriptTexts()
    {
        QStringList lines;
        MainWindow &window = program->mainWindow();
        window.transcript().selectAll();
        for (const QString &line : window.transcript().selectedText().split(
                 QRegularExpression("[\r\n]+"), Qt::SkipEmptyParts))
            lines << line.trimmed();
        return lines;
    }
    // Closes the modal box that a call opens, and gives its text.
    QString closeNextBox()
    {
        QString text;
        QTimer::singleShot(100, [&text] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                text = box->text();
                box->accept();
            }
        });
        return text;
    }

    QTemporaryDir home;
    QTemporaryDir runtime;
    quint16 gamePort = 0;
    quint16 lobbyPort = 0;
    std::unique_ptr<Program> program;
    std::vector<std::string> errors;
    ErrorSink previousSink;
};

// A caption as it reads, without the mark of its access key.
QString caption(const QAction *action)
{
    return QString(action->text()).remove('&');
}

QStringList entries(QMenu *menu)
{
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : caption(action));
    return texts;
}

QMenu *topMenu(MainWindow &window, const QString &title)
{
    for (QAction *action : window.menuBar()->actions()) {
        if (caption(action) == title)
            return action->menu();
    }
    return nullptr;
}

} // namespace

TEST_F(ProgramTest, EveryWindowExistsOnceWithItsCaption)
{
    MainWindow &window = start({"a", "b"});
    EXPECT_EQ(window.windowTitle(), "Kalvex");
    const SecondaryWindows &others = program->windows();
    EXPECT_EQ(others.tallylist->windowTitle(), "Kalvex  - Tally List");
    EXPECT_EQ(others.about->windowTitle(), "Kalvex - About");
    EXPECT_EQ(others.gamestart->windowTitle(), "Kalvex - Game Start");
    EXPECT_EQ(others.help->windowTitle(), "Kalvex - Help File");
    EXPECT_EQ(others.phrases->windowTitle(), "Kalvex - Phrase Buttons ");
    EXPECT_EQ(others.spylist->windowTitle(), "Kalvex - Spys");
    EXPECT_NE(others.server, nullptr);
    EXPECT_NE(others.download, nullptr);
    EXPECT_FALSE(others.download->isVisible()) << "only a solo start shows the download window";
    window.action("action_viewtally")->trigger();
    EXPECT_TRUE(others.tallylist->isVisible());
    window.action("action_spylist")->trigger();
    EXPECT_TRUE(others.spylist->isVisible());
    window.action("action_about")->trigger();
    EXPECT_TRUE(others.about->isVisible());
}

TEST_F(ProgramTest, MainMenuHasEveryEntryInOrder)
{
    MainWindow &window = start({"a", "b"});
    QStringList titles;
    for (QAction *action : window.menuBar()->actions())
        titles << caption(action);
    EXPECT_EQ(titles, (QStringList{"File", "Options", "View", "Help"}));
    EXPECT_EQ(entries(topMenu(window, "File")),
              (QStringList{"Start Game", "Add Computer Player", "Computer Level", "-", "Exit"}));
    EXPECT_EQ(entries(topMenu(window, "Options")),
              (QStringList{"Play Sounds", "Play Chatter Sounds", "Turn Sound", "-", "Text Color",
                           "Text Size", "Scroll Chat Off", "Clear Main Chat",
                           "Reset Screen Location", "-", "Show Ball Numbers", "-", "Just Watch"}));
    EXPECT_EQ(entries(topMenu(window, "View")),
              (QStringList{"View Tally", "Spy List", "Phrase List", "View Quick Instructions"}));
    EXPECT_EQ(entries(topMenu(window, "Help")), (QStringList{"Content", "-", "About"}));

    EXPECT_FALSE(window.action("action_startgame")->isEnabled());
    EXPECT_FALSE(window.action("action_addcomputer")->isEnabled()) << "only a host adds players";
    EXPECT_TRUE(window.action("action_levelnormal")->isChecked());
    EXPECT_FALSE(window.action("action_quickinstructions")->isVisible());
    EXPECT_EQ(window.action("action_content")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(window.transcript().scrollChatOffAction()->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(window.transcript().quickInstructionsAction()->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_I));
    EXPECT_TRUE(window.action("action_playsounds")->isChecked());
    EXPECT_TRUE(window.action("action_chattersounds")->isChecked());
    EXPECT_TRUE(window.action("action_justwatch")->isCheckable());
    EXPECT_FALSE(window.action("action_justwatch")->isChecked());
}

TEST_F(ProgramTest, ShortcutsReachTheirCommands)
{
    MainWindow &window = start({"a", "b"});
    window.activateWindow();
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_TRUE(program->windows().help->isVisible());
    program->windows().help->hide();
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(window.transcript().scrollChatOff());
    const auto before = window.transcript().transcript().items().size();
    QTest::keyClick(&window, Qt::Key_I, Qt::ControlModifier);
    EXPECT_GT(window.transcript().transcript().items().size(), before)
        << "the hidden quick instructions entry still answers its shortcut";
}

TEST_F(ProgramTest, WidgetsSitAtTheirDesignPlaces)
{
    MainWindow &window = start({"a", "b"});
    QWidget *area = window.centralWidget();
    // A part's rectangle in the client area, whatever widget holds it.
    auto place = [area](QWidget *part) {
        return QRect(part->mapTo(area, QPoint(0, 0)), part->size());
    };
    EXPECT_EQ(area->size(), QSize(628, 408));
    EXPECT_EQ(place(window.board()), QRect(7, 7, 613, 393));
    EXPECT_EQ(place(&window.transcript()), QRect(349, 34, 267, 339));
    EXPECT_EQ(place(area->findChild<QLineEdit *>("mychat")), QRect(349, 375, 236, 22));
    EXPECT_EQ(place(area->findChild<QToolButton *>("button_smilies")), QRect(586, 375, 27, 21));
    EXPECT_EQ(place(area->findChild<QToolButton *>("b_phrase1")).topLeft(), QPoint(349, 12));
    EXPECT_EQ(place(area->findChild<QToolButton *>("b_phrase10")).topLeft(), QPoint(590, 12));
}

TEST_F(ProgramTest, TheClientAreaNeverShrinksBelowTheBoardAndResetRestoresTheDefaults)
{
    MainWindow &window = start({"a", "b"});
    window.resize(300, 200);
    QTest::qWait(20);
    EXPECT_GE(window.centralWidget()->width(), 628);
    EXPECT_GE(window.centralWidget()->height(), 408);
    window.action("action_resetscreen")->trigger();
    QTest::qWait(20);
    EXPECT_EQ(window.frameGeometry(), QRect(3, 3, 636, 454));
    EXPECT_FALSE(QFile::exists(home.filePath("orbolobby.ini"))) << "the command saves nothing";
    // The user chose this placement, so closing keeps it.
    window.close();
    QFile stored(home.filePath("orbolobby.ini"));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_TRUE(stored.readAll().contains("Width=636\r\n"));
}

TEST_F(ProgramTest, TwoArgumentsShowOnlyTheLoadingLineAndStayUnconnected)
{
    MainWindow &window = start({"a", "b"});
    QTest::qWait(100);
    EXPECT_EQ(transcriptTexts(), QStringList{"Loading Multi-player Game.. Please Wait."});
    EXPECT_FALSE(window.link().socket().hasSocket());
    EXPECT_FALSE(window.lobbyLink().hasSocket());
    EXPECT_FALSE(program->windows().server->isListening());
    EXPECT_FALSE(window.session().hosting());
    EXPECT_TRUE(window.session().loginname().empty());
}

TEST_F(ProgramTest, HostingListensAndLogsItsOwnClientInAsSlotOne)
{
    MainWindow &window = start({"Ann", "198.51.100.4", "true"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.session().myslot() == 1; }, 5000));
    EXPECT_TRUE(program->windows().server->isListening());
    EXPECT_EQ(program->windows().server->listeningPort(), gamePort);
    EXPECT_TRUE(window.session().hosting());
    EXPECT_EQ(window.session().loginname(), std::string("Ann") + '\xFF');
    EXPECT_EQ(window.hostaddress(), "198.51.100.4");
    EXPECT_EQ(window.link().socket().HostName(), "127.0.0.1");
    EXPECT_TRUE(window.action("action_startgame")->isEnabled());
    EXPECT_TRUE(window.session().startButtonVisible());
    EXPECT_TRUE(window.lobbyLink().hasSocket()) << "the lobby link is opened after hosting";
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return transcriptTexts().contains("You are Connected."); }, 5000));
    EXPECT_EQ(transcriptTexts().first(), "Loading Multi-player Game.. Please Wait.");
    // The own login applied the (absent) settings file.
    QTest::qWait(50);
    EXPECT_EQ(window.frameGeometry(), QRect(3, 3, 636, 454));
    EXPECT_EQ(window.savedBounds(), QRect(3, 3, 636, 454));
    EXPECT_EQ(window.transcript().textSize(), 8);
}

TEST_F(ProgramTest, TheHostAddsAComputerPlayerThatTakesTheNextSeat)
{
    MainWindow &window = start({"Ann", "127.0.0.1", "true"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.session().myslot() == 1; }, 5000));
    QAction *add = window.action("action_addcomputer");
    ASSERT_TRUE(QTest::qWaitFor([&] { return add->isEnabled(); }, 2000));
    window.action("action_levelexpert")->trigger();
    add->trigger();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window.session().roster().seat(2)->name == "Computer 1"; }, 10000))
        << "the computer player joins over the game port and logs in";

    // Removing its seat ends it: the seat empties again.
    window.session().kicking(2);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window.session().roster().seat(2)->name == "<Waiting>"; }, 10000));
}

TEST_F(ProgramTest, AHostPortInUseRaisesTheBindErrorAndNothingElseHappens)
{
    QTcpServer occupier;
    ASSERT_TRUE(occupier.listen(QHostAddress::Any, gamePort));
    MainWindow &window = start({"Ann", "127.0.0.1", "true"});
    QTest::qWait(100);
    EXPECT_EQ(errors, std::vector<std::string>{"Listen - Error Binding Socket"});
    EXPECT_FALSE(window.session().hosting());
    EXPECT_FALSE(window.link().socket().hasSocket());
    EXPECT_FALSE(window.lobbyLink().hasSocket());
}

TEST_F(ProgramTest, JoiningConnectsToTheHostAndLosingTheLinkClosesTheWindow)
{
    QTcpServer remote;
    ASSERT_TRUE(remote.listen(QHostAddress::LocalHost, gamePort));
    MainWindow &window = start({"Ann", "127.0.0.1", "TRUE"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return remote.hasPendingConnections(); }, 5000));
    QTcpSocket *peer = remote.nextPendingConnection();
    EXPECT_FALSE(window.session().hosting());
    EXPECT_FALSE(window.action("action_startgame")->isEnabled());
    EXPECT_FALSE(program->windows().server->isListening());

    peer->write("CMD_sendlogininfo+4" + T);
    QByteArray login;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            login += peer->readAll();
            return login.endsWith(T + T);
        },
        5000));
    EXPECT_EQ(login, "CMD_logininfo+4+1.0.5+Ann" + T + T);

    peer->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 5000));
}

TEST_F(ProgramTest, GameIsFullShowsItsBoxThenCloses)
{
    QTcpServer remote;
    ASSERT_TRUE(remote.listen(QHostAddress::LocalHost, gamePort));
    MainWindow &window = start({"Ann", "127.0.0.1", "x"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return remote.hasPendingConnections(); }, 5000));
    QTcpSocket *peer = remote.nextPendingConnection();
    QString shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    poll.start(300);
    // The server closes a refused connection right after its answer; the
    // box still stays until the user dismisses it.
    peer->write("CMD_full+" + T);
    peer->disconnectFromHost();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 5000));
    EXPECT_EQ(shown, "Game is full");
    EXPECT_FALSE(QApplication::activeModalWidget());
}

TEST_F(ProgramTest, StartGameBeforeTheLoginAnswersNotConnected)
{
    MainWindow &window = start({"a", "b"});
    QString shown;
    QTimer::singleShot(50, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    window.startGameCommand();
    EXPECT_EQ(shown, "You are not connected");
    EXPECT_FALSE(program->windows().gamestart->isVisible());
}

TEST_F(ProgramTest, TheDispatchTimerTakesOneLinePerTickAndSleepsWhenIdle)
{
    MainWindow &window = start({"a", "b"});
    ClientLink &link = window.link();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !link.ticking(); }, 2000))
        << "an idle link makes no wake-ups";
    EXPECT_EQ(link.queue().size(), 0u);
}

TEST(ErrorBox, BoxesNeverNest)
{
    ErrorSink previous = setErrorSink({});
    ErrorBox::install();
    bool nestedShown = true;
    QString firstText;
    QTimer::singleShot(50, [&] {
        ASSERT_TRUE(ErrorBox::isOpen());
        // A second error while the box is open goes to the log.
        nestedShown = ErrorBox::show("second");
        reportError(ErrorOrigin::Local, "third");
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            firstText = box->text();
            box->accept();
        }
    });
    EXPECT_TRUE(ErrorBox::show("first"));
    EXPECT_FALSE(nestedShown);
    EXPECT_EQ(firstText, "first");
    EXPECT_FALSE(ErrorBox::isOpen());

    // What a peer caused is never shown.
    bool opened = false;
    QTimer::singleShot(50, [&] {
        opened = QApplication::activeModalWidget() != nullptr;
        if (QApplication::activeModalWidget())
            QApplication::activeModalWidget()->close();
    });
    reportError(ErrorOrigin::Peer, "from a peer");
    QTest::qWait(100);
    EXPECT_FALSE(opened);
    setErrorSink(previous);
}

TEST_F(ProgramTest, ClosingAnUnmovedWindowWritesNoSettings)
{
    MainWindow &window = start({"a", "b"});
    window.action("action_exit")->trigger();
    EXPECT_FALSE(window.isVisible());
    // The settings were never applied and the user chose no placement, so a
    // stored placement must not be replaced by the design position.
    EXPECT_FALSE(QFile::exists(home.filePath("orbolobby.ini")));
}

TEST_F(ProgramTest, ClosingAMovedWindowKeepsItsPlacement)
{
    QFile stored(home.filePath("orbolobby.ini"));
    ASSERT_TRUE(stored.open(QIODevice::WriteOnly));
    stored.write("[other]\r\nKey=1\r\n[kalvex]\r\nTextsize=12\r\n");
    stored.close();
    MainWindow &window = start({"a", "b"});
    window.move(40, 50);
    window.close();
    EXPECT_EQ(window.savedBounds().topLeft(), QPoint(40, 50));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QByteArray text = stored.readAll();
    EXPECT_TRUE(text.contains("Top=50\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("Left=40\r\n"));
    EXPECT_TRUE(text.contains("Textsize=12\r\n")) << "keys the user did not change stay";
    EXPECT_TRUE(text.contains("[other]\r\nKey=1\r\n"));
}

TEST_F(ProgramTest, ALaterStartAsksTheRunningOneToComeForwardRestored)
{
    SingleInstance first(QStringLiteral("guardtest"));
    ASSERT_FALSE(first.anotherInstanceRuns());
    MainWindow &window = start({"a", "b"});
    QObject::connect(&first, &SingleInstance::raiseRequested, &window, &MainWindow::bringForward);
    window.showMinimized();
    QTest::qWait(20);
    ASSERT_TRUE(window.isMinimized());

    SingleInstance second(QStringLiteral("guardtest"));
    EXPECT_TRUE(second.anotherInstanceRuns());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isMinimized(); }, 3000));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(ProgramTest, AGuardThatCannotBeSetUpLetsTheProgramRun)
{
    qputenv("XDG_RUNTIME_DIR", "/proc/kalvex-no-such-place");
    SingleInstance guard(QStringLiteral("guardtest"));
    EXPECT_FALSE(guard.anotherInstanceRuns());
}

TEST_F(ProgramTest, TheHostStartsAGameThroughTheOptionsDialog)
{
    MainWindow &window = start({"Ann", "127.0.0.1", "true"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.session().myslot() == 1; }, 5000));
    QTcpSocket joiner;
    joiner.connectToHost(QHostAddress::LocalHost, gamePort);
    QByteArray seen;
    auto waitFor = [&](const QByteArray &wanted) {
        return QTest::qWaitFor(
            [&] {
                seen += joiner.readAll();
                return seen.contains(wanted);
            },
            5000);
    };
    ASSERT_TRUE(waitFor("CMD_sendlogininfo+2" + T));
    joiner.write("CMD_logininfo+2+1.0.5+Bob" + T + T);
    ASSERT_TRUE(waitFor("CMD_existingplayers+1+Ann" + T));

    window.action("action_startgame")->trigger();
    Tgamestart &options = *program->windows().gamestart;
    ASSERT_TRUE(options.isVisible());
    options.setRounds(3);
    options.startGame();
    EXPECT_TRUE(waitFor("CMD_startgame+Ann+3+120+0+0+" + T)) << seen.toStdString();
    EXPECT_TRUE(waitFor("CMD_startround+1+" + T));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.session().roundstotal() == 3; }, 5000));
    EXPECT_TRUE(window.roundTimer().isActive() ||
                QTest::qWaitFor([&] { return window.roundTimer().isActive(); }, 5000))
        << "the round clock runs once the round starts";

    QFile stored(home.filePath("orbolobby.ini"));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_TRUE(stored.readAll().contains("Playtoscore=3\r\n"));
}

TEST_F(ProgramTest, APhraseButtonUnlocksAfterItsTicksEvenWhenNothingArrives)
{
    MainWindow &window = start({"Ann", "127.0.0.1", "true"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.session().myslot() == 1; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.link().ticking(); }, 3000));
    auto *phrase = window.centralWidget()->findChild<QToolButton *>("b_phrase1");
    QTest::mouseClick(phrase, Qt::LeftButton);
    EXPECT_FALSE(window.chat().composer().chatterready());
    EXPECT_TRUE(window.link().ticking());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.chat().composer().chatterready(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.link().ticking(); }, 3000))
        << "the timer sleeps again once the lock is over and nothing waits";
}

TEST_F(ProgramTest, ShowBallNumbersIsSavedAtOnceAndAppliedWithTheSettings)
{
    MainWindow &window = start({"a", "b"});
    QAction *numbers = window.action("action_ballnumbers");
    ASSERT_NE(numbers, nullptr);
    EXPECT_TRUE(numbers->isCheckable());
    EXPECT_FALSE(numbers->isChecked()) << "off by default";
    EXPECT_FALSE(window.board()->ballNumbersShown());
    numbers->trigger();
    EXPECT_TRUE(window.board()->ballNumbersShown());
    QFile stored(home.filePath("orbolobby.ini"));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readAll(), "[kalvex]\r\nBallnumbers=1\r\n")
        << "before the login only the changed key is written";
    stored.close();

    program.reset();
    MainWindow &again = start({"a", "b"});
    EXPECT_FALSE(again.board()->ballNumbersShown()) << "settings apply at the login";
    again.loadinifile();
    EXPECT_TRUE(again.board()->ballNumbersShown());
    EXPECT_TRUE(again.action("action_ballnumbers")->isChecked());
}

TEST_F(ProgramTest, AMutedSeatsLinesStayOutOfTheTranscript)
{
    MainWindow &window = start({"a", "b"});
    window.session().handleLine("CMD_existingplayers+3+Bob");
    window.session().handleLine("CMD_existingplayers+4+Cy");
    window.session().setSeatMuted(3, true);
    window.session().handleLine("CMD_chat+3+Bob chats: secret|clRed");
    window.session().handleLine("CMD_action+3+Bob says: Good One!|clBlack");
    window.session().handleLine("CMD_chat+4+Cy chats: heard|clBlue");
    const QString all = transcriptTexts().join('\n');
    EXPECT_FALSE(all.contains("secret"));
    EXPECT_FALSE(all.contains("Good One!"));
    EXPECT_TRUE(all.contains("heard")) << all.toStdString();
}

TEST_F(ProgramTest, TheChatSideHasNamesForScreenReaders)
{
    MainWindow &window = start({"a", "b"});
    EXPECT_EQ(window.transcript().accessibleName(), "Chat transcript");
    ASSERT_NE(window.chat().input(), nullptr);
    EXPECT_EQ(window.chat().input()->accessibleName(), "Chat input");
    EXPECT_EQ(window.chat().phraseButton(4)->accessibleName(), "Phrase 4");
}

TEST_F(ProgramTest, TheChatInputHasTheKeyboardFirstSoTypedDigitsAreChat)
{
    MainWindow &window = start({"a", "b"});
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.chat().input()->hasFocus(); }, 2000))
        << "the board takes the keys 1 to 6 only once the user hands it the keyboard";
}

// Within one menu every entry that has letters has a key, and no key twice.
void expectAnAccessKeyOfItsOwnInEveryMenu(MainWindow &window)
{
    std::function<void(QMenu *)> check = [&](QMenu *menu) {
        QStringList keys;
        for (QAction *entry : menu->actions()) {
            if (entry->isSeparator() || !entry->text().contains(QRegularExpression("[^\\W\\d_]")))
                continue;
            const QString key = QKeySequence::mnemonic(entry->text()).toString();
            EXPECT_FALSE(key.isEmpty()) << caption(entry).toStdString();
            EXPECT_FALSE(keys.contains(key))
                << key.toStdString() << " twice in " << caption(menu->menuAction()).toStdString();
            keys << key;
            if (entry->menu())
                check(entry->menu());
        }
    };
    for (QAction *menu : window.menuBar()->actions())
        check(menu->menu());
}

TEST_F(ProgramTest, EveryMenuAndEntryHasAnAccessKeyOfItsOwn)
{
    MainWindow &window = start({"a", "b"});
    QStringList barKeys;
    for (QAction *menu : window.menuBar()->actions())
        barKeys << QKeySequence::mnemonic(menu->text()).toString();
    EXPECT_EQ(barKeys, (QStringList{"Alt+F", "Alt+O", "Alt+V", "Alt+H"}));
    expectAnAccessKeyOfItsOwnInEveryMenu(window);
}

TEST_F(ProgramTest, InGermanTooEveryMenuAndEntryHasAnAccessKeyOfItsOwn)
{
    QTranslator german;
    ASSERT_TRUE(german.load("kalvex_de", QString::fromLatin1(kTranslationsPath)));
    QCoreApplication::installTranslator(&german);
    MainWindow &window = start({"a", "b"});
    QStringList bar;
    for (QAction *menu : window.menuBar()->actions())
        bar << menu->text();
    EXPECT_EQ(bar, (QStringList{"&Datei", "&Optionen", "&Ansicht", "&Hilfe"}));
    expectAnAccessKeyOfItsOwnInEveryMenu(window);
    program.reset();
    QCoreApplication::removeTranslator(&german);
}

TEST_F(ProgramTest, AltAndAMenusKeyOpensTheMenuAndTypesNothingIntoTheChat)
{
    MainWindow &window = start({"a", "b"});
    window.activateWindow();
    ChatInput *input = window.chat().input();
    ASSERT_TRUE(QTest::qWaitFor([&] { return input->hasFocus(); }, 2000));
    QTest::keyClicks(input, "typed");
    ASSERT_EQ(input->text(), "typed");
    for (const auto &[key, title] : {std::pair{Qt::Key_F, "File"}, std::pair{Qt::Key_V, "View"}}) {
        QMenu *menu = topMenu(window, title);
        QTest::keyClick(input, key, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 2000)) << title;
        EXPECT_EQ(input->text(), "typed") << title;
        menu->close();
        window.activateWindow();
        input->setFocus();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return QApplication::activeWindow() == &window && input->hasFocus(); }, 2000));
    }
}

TEST_F(ProgramTest, ViewTallyOnAnOpenTallyWindowRebuildsItsListAndRaisesIt)
{
    MainWindow &window = start({"a", "b"});
    Ttallylist &tally = *program->windows().tallylist;
    auto *checklist = tally.findChild<QListWidget *>("checklist");
    ASSERT_NE(checklist, nullptr);
    window.action("action_viewtally")->trigger();
    ASSERT_TRUE(tally.isVisible());
    EXPECT_EQ(checklist->count(), 0);

    // A player arrives while the window is open, and another window covers it.
    window.session().handleLine("CMD_existingplayers+3+Bob");
    window.action("action_about")->trigger();
    program->windows().about->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return QApplication::activeWindow() == program->windows().about; }, 2000));

    window.action("action_viewtally")->trigger();
    ASSERT_EQ(checklist->count(), 1);
    EXPECT_EQ(checklist->item(0)->text(), "Bob");
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &tally; }, 2000))
        << "the tally window comes forward";
}

TEST_F(ProgramTest, AComputerPlayersFailureIsShownAsASystemLine)
{
    MainWindow &window = start({"a", "b"});
    auto *computers = window.findChild<bot::ComputerPlayers *>();
    ASSERT_NE(computers, nullptr);
    emit computers->failed("Computer 2", "cannot connect:\nConnection refused\n");
    // The name is the line's head; the reason follows on the same line.
    const QString all = transcriptTexts().join('\n');
    EXPECT_TRUE(
        all.contains(QRegularExpression("Computer 2:\\s+cannot connect: Connection refused")))
        << all.toStdString();
}

TEST_F(ProgramTest, EveryBoxTheProgramShowsIsTitledKalvex)
{
    MainWindow &window = start({"a", "b"});
    QStringList titles;
    QStringList texts;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        titles << box->windowTitle();
        texts << box->text();
        if (QAbstractButton *no = box->button(QMessageBox::No))
            no->click();
        else
            box->accept();
    });
    answerer.start(30);
    window.startGameCommand();
    program->windows().tallylist->resetTally();
    ErrorBox::show("boom");
    window.session().handleLine("CMD_full+");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 5000));
    answerer.stop();
    ASSERT_EQ(texts.size(), 4) << texts.join(" | ").toStdString();
    EXPECT_EQ(texts[0], "You are not connected");
    EXPECT_EQ(texts[1], "Are you sure you want to reset the Tally?");
    EXPECT_EQ(texts[2], "boom");
    EXPECT_EQ(texts[3], "Game is full");
    EXPECT_EQ(titles, QStringList(4, "Kalvex"));
}

TEST_F(ProgramTest, AWindowLargerThanTheWorkAreaIsStoredFifteenPixelsSmaller)
{
    MainWindow &window = start({"a", "b"});
    const QRect work = window.screen()->availableGeometry();
    // The user drags it larger than the work area.
    window.resize(work.width() + 40, work.height() + 60);
    QTest::qWait(20);
    const QRect bounds = window.frameGeometry();
    ASSERT_GT(bounds.width(), work.width());
    window.close();
    QFile stored(home.filePath("orbolobby.ini"));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QByteArray text = stored.readAll();
    EXPECT_TRUE(text.contains("Width=" + QByteArray::number(bounds.width() - 15) + "\r\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Height=" + QByteArray::number(bounds.height() - 15) + "\r\n"))
        << text.toStdString();
    EXPECT_EQ(window.savedBounds().size(), bounds.size() - QSize(15, 15));
}

// The window at a fixed state: every part of the client area is shown at
// its design place and nothing covers it. With KALVEX_LAYOUT_GRAB
// set, the whole picture is written there, so that two builds' pictures can
// be compared pixel for pixel.
TEST_F(ProgramTest, EveryPartIsShownUncoveredAtItsDesignPlace)
{
    QApplication::setCursorFlashTime(0);
    MainWindow &window = start({"a", "b"});
    window.session().handleLine("CMD_existingplayers+2+Bob");
    window.session().handleLine("CMD_existingplayers+3+Cy");
    window.session().handleLine("CMD_chat+2+Bob chats: hello :)#12 www.example.org|clRed");
    window.session().handleLine("CMD_action+3+Cy says: Good One!|clBlue");
    QTest::qWait(50);

    QWidget *area = window.centralWidget();
    const QByteArray path = qgetenv("KALVEX_LAYOUT_GRAB");
    if (!path.isEmpty())
        window.grab().save(QString::fromLocal8Bit(path));

    const std::pair<const char *, QRect> parts[] = {
        {"board", QRect(7, 7, 613, 393)},          {"mainchat", QRect(349, 34, 267, 339)},
        {"mychat", QRect(349, 375, 236, 22)},      {"button_smilies", QRect(586, 375, 27, 21)},
        {"b_phrase1", QRect(349, 12, 25, 19)},     {"b_phrase5", QRect(456, 12, 25, 19)},
        {"b_phrase9", QRect(563, 12, 25, 19)},     {"b_phrase10", QRect(590, 12, 25, 19)},
    };
    for (const auto &[name, design] : parts) {
        QWidget *part = name == std::string("board") ? static_cast<QWidget *>(window.board())
                                                     : area->findChild<QWidget *>(name);
        ASSERT_NE(part, nullptr) << name;
        EXPECT_TRUE(part->isVisible()) << name;
        EXPECT_EQ(QRect(part->mapTo(area, QPoint(0, 0)), part->size()), design) << name;
        if (part == window.board())
            continue; // the chat stands over the board panel
        // Nothing stands over the part: a click on its middle reaches it.
        QWidget *hit = area->childAt(design.center());
        EXPECT_TRUE(hit == part || part->isAncestorOf(hit)) << name << " is covered";
    }
}
