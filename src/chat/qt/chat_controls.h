#pragma once
// ChatControls: the chat's controls, made as children of the given parent,
// which places them (see ChatColumn): the input "mychat", the phrase
// buttons "b_phrase1" to "b_phrase9", the chatter-sound button "b_phrase10"
// with its menu "popup_sounds", and the smilies button "button_smilies" with
// its menu "popup_smilies". The ChatComposer it is given does the work.

#include "chat/chat_composer.h"

#include <QColor>
#include <QObject>

#include <array>
#include <functional>
#include <optional>

class QMenu;
class QToolButton;
class QWidget;

namespace kalvex {

class ChatInput;
class TranscriptPane;

class ChatControls : public QObject
{
    Q_OBJECT

public:
    // Asked for a colour, preset to the current one; nothing when cancelled.
    using ColourPicker =
        std::function<std::optional<QColor>(const QColor &current, QWidget *parent)>;

    ChatControls(QWidget *parent, ChatComposer &composer, TranscriptPane &pane);
    ~ChatControls() override;

    ChatComposer &composer() { return chat; }
    ChatInput *input() const { return inputField; }
    QToolButton *phraseButton(int n) const { return phraseButtons.at(n - 1); }
    QMenu *smiliesMenu() const { return popupSmilies; }

    // One tick of the message dispatch timer, after its message (the
    // phrase buttons' lock counts these).
    void tick() { chat.tick(); }
    // The settings file's values.
    void setPhrase(int n, std::string_view text) { chat.setPhrase(n, text); }
    void setTextColour(ColourValue value) { chat.setTextColour(value); }
    // A received "CMD_playasound": the fields after the command word.
    void playasound(std::string_view fields) { chat.playasound(fields); }

    // "Text Color" in the Options menu: the colour picker, preset to the
    // current colour; a confirmed colour is taken and saved.
    void chooseTextColour();
    // Replaces the picker (tests); an empty one restores QColorDialog.
    void setColourPicker(ColourPicker picker);

    // Adds ":)#" and the code at the end of the input (placeholder removed).
    void insertSmiley(int code);
    void focusInput();

    // The chatter-sound button "b_phrase10" and the smilies button.
    QToolButton *chatterButton() const { return soundsButton; }
    QToolButton *smiliesButton() const { return buttonSmilies; }

private:
    void sendTyped();
    void showChanges();
    void openMenuAtCorner(QMenu *menu, QToolButton *button);

    ChatComposer &chat;
    QWidget *parentWidget;
    ChatInput *inputField = nullptr;
    std::array<QToolButton *, kPhraseCount> phraseButtons{};
    QToolButton *soundsButton = nullptr;
    QToolButton *buttonSmilies = nullptr;
    QMenu *popupSounds = nullptr;
    QMenu *popupSmilies = nullptr;
    ColourPicker picker;
    // The user was told that this line is full.
    bool lineFullTold = false;
};

} // namespace kalvex
