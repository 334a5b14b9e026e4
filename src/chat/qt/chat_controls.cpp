#include "chat/qt/chat_controls.h"

#include "chat/qt/chat_input.h"
#include "chat/qt/chat_pictures.h"
#include "chat/qt/chat_text.h"
#include "chat/qt/transcript_pane.h"
#include "net/error_report.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QMenu>
#include <QToolButton>

#include <concepts>

namespace kalvex {

namespace {

std::optional<QColor> askColourDialog(const QColor &current, QWidget *parent)
{
    const QColor chosen = QColorDialog::getColor(
        current, parent, QCoreApplication::translate("kalvex::ChatControls", "Text Color"));
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

QString fromBytes(std::string_view bytes)
{
    return displayText(bytes);
}

// Told when the input left text out because the line is full.
constexpr std::string_view kLineFullNotice =
    "0+That is as long as a chat line can be; the rest was left out.";

// Every click, key and menu entry of the chat runs through the error
// reporter: an exception (a send on a closed link) must not unwind through
// Qt's frames.
template <typename Function> auto reported(Function function)
{
    // Callable with exactly what the function takes, so that a signal's
    // extra arguments are left off as with any slot.
    return [function](
        auto &&...arguments) requires std::invocable<const Function &, decltype(arguments)...>
    {
        guarded(ErrorOrigin::Local, [&] { function(arguments...); });
    };
}

} // namespace

ChatControls::ChatControls(QWidget *parent, ChatComposer &composer, TranscriptPane &pane)
    : QObject(parent), chat(composer), parentWidget(parent), picker(askColourDialog)
{
    inputField = new ChatInput(parent);
    connect(inputField, &ChatInput::sendRequested, this, reported([this] { sendTyped(); }));
    connect(inputField, &ChatInput::textLimited, this, reported([this, &pane] {
                if (!lineFullTold)
                    pane.addlinetochat(kLineFullNotice, kSysColour);
                lineFullTold = true;
            }));
    connect(inputField, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (text.isEmpty())
            lineFullTold = false;
    });

    for (int n = 1; n <= kPhraseCount; ++n) {
        auto *button = new QToolButton(parent);
        button->setObjectName(QStringLiteral("b_phrase%1").arg(n));
        button->setIcon(phraseIcon(n));
        button->setIconSize(QSize(19, 15));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this,
                reported([this, n] { chat.phraseClicked(n); }));
        phraseButtons[n - 1] = button;
    }

    popupSounds = new QMenu(parent);
    popupSounds->setObjectName(QStringLiteral("popup_sounds"));
    popupSounds->setToolTipsVisible(true);
    QAction *cancel = popupSounds->addAction(tr("<Cancel>"));
    cancel->setData(0);
    for (int n = 1; n <= kChatterSoundCount; ++n) {
        QAction *sound = popupSounds->addAction(fromBytes(chatterSoundCaption(n)));
        sound->setData(n);
        sound->setToolTip(sound->text());
    }
    connect(popupSounds, &QMenu::triggered, this,
            reported([this](QAction *entry) { chat.chatterSoundChosen(entry->data().toInt()); }));

    soundsButton = new QToolButton(parent);
    soundsButton->setObjectName(QStringLiteral("b_phrase10"));
    soundsButton->setIcon(chatterIcon());
    soundsButton->setIconSize(QSize(19, 15));
    soundsButton->setToolTip(tr("Chatter Sounds"));
    soundsButton->setFocusPolicy(Qt::NoFocus);
    connect(soundsButton, &QToolButton::clicked, this,
            reported([this] { openMenuAtCorner(popupSounds, soundsButton); }));

    popupSmilies = new QMenu(parent);
    popupSmilies->setObjectName(QStringLiteral("popup_smilies"));
    for (int code = kFirstSmileyCode; code <= kLastSmileyCode - 1; ++code) {
        QAction *smiley = popupSmilies->addAction(smileyIcon(code - kFirstSmileyCode),
                                                  QStringLiteral(":)#%1").arg(code));
        smiley->setData(code);
    }
    connect(popupSmilies, &QMenu::triggered, this,
            reported([this](QAction *entry) { insertSmiley(entry->data().toInt()); }));

    buttonSmilies = new QToolButton(parent);
    buttonSmilies->setObjectName(QStringLiteral("button_smilies"));
    buttonSmilies->setIcon(smileyIcon(0));
    buttonSmilies->setIconSize(QSize(kSmileyWidth, kSmileyHeight));
    buttonSmilies->setToolTip(tr("See ya!"));
    buttonSmilies->setFocusPolicy(Qt::NoFocus);
    buttonSmilies->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(buttonSmilies, &QToolButton::clicked, this,
            reported([this] { openMenuAtCorner(popupSmilies, buttonSmilies); }));
    connect(buttonSmilies, &QWidget::customContextMenuRequested, this,
            reported([this] { openMenuAtCorner(popupSmilies, buttonSmilies); }));

    connect(&pane, &TranscriptPane::chatCleared, this, &ChatControls::focusInput);
    chat.setChangeHandler([this] { showChanges(); });
    showChanges();
}

ChatControls::~ChatControls()
{
    chat.setChangeHandler(nullptr);
}

void ChatControls::chooseTextColour()
{
    const QColor current = toQColor(chat.textColour(), inputField->palette());
    const std::optional<QColor> chosen = picker(current, parentWidget);
    if (chosen)
        chat.textColourChosen(toColourValue(*chosen));
}

void ChatControls::setColourPicker(ColourPicker replacement)
{
    picker = replacement ? std::move(replacement) : ColourPicker(askColourDialog);
}

void ChatControls::insertSmiley(int code)
{
    inputField->setText(
        QString::fromStdString(ChatComposer::withSmiley(wireText(inputField->text()), code)));
    inputField->deselect();
    inputField->end(false);
}

void ChatControls::focusInput()
{
    inputField->setFocus(Qt::OtherFocusReason);
}

void ChatControls::sendTyped()
{
    if (chat.sendit(wireText(inputField->text())))
        inputField->clear();
}

void ChatControls::showChanges()
{
    for (int n = 1; n <= kPhraseCount; ++n)
        phraseButtons[n - 1]->setToolTip(fromBytes(chat.phrase(n)));
    QPalette colours = inputField->palette();
    colours.setColor(QPalette::Text, toQColor(chat.textColour(), colours));
    inputField->setPalette(colours);
}

void ChatControls::openMenuAtCorner(QMenu *menu, QToolButton *button)
{
    menu->popup(button->mapToGlobal(button->rect().bottomRight()));
}

} // namespace kalvex
