#pragma once
// SettingsController: the main window's settings file. It gathers the
// values the program runs with from the parts that hold them (transcript,
// chat, board, sound cues, game options window, window bounds), writes the
// keys that changed, and applies a loaded file to those parts.

#include "app/settings.h"

#include <QPointer>
#include <QRect>

#include <functional>
#include <optional>

class QAction;

namespace kalvex {

class BoardPanel;
class ChatControls;
class SoundCues;
class SoundMenu;
class Tgamestart;
class TranscriptPane;

class SettingsController
{
public:
    // The parts whose values are settings. The window's bounds come and go
    // through the two functions: `bounds` gives the current ones, `place`
    // applies loaded ones.
    struct Parts
    {
        TranscriptPane &transcript;
        ChatControls &chat;
        BoardPanel &board;
        SoundCues &cues;
        SoundMenu &soundMenu;
        QAction &ballNumbersItem;
        std::function<QRect()> bounds;
        std::function<void(const QRect &)> place;
    };

    explicit SettingsController(Parts given);

    // The game options window, once it exists.
    void setGameOptions(Tgamestart *window) { gamestart = window; }

    // The values the program runs with now; the window's bounds unless
    // others are given (those it closes with).
    Settings gather(std::optional<QRect> closingBounds = std::nullopt) const;
    // Reads the settings file over the current values and applies it.
    void load();
    // Writes the keys in `changed` (and the ones changed before in this run).
    void save(const SettingKeys &changed, std::optional<QRect> closingBounds = std::nullopt);
    // The phrases changed from `before`.
    void savePhrases(const Phrases &before);

private:
    Parts parts;
    QPointer<Tgamestart> gamestart;
    SettingsFile file;
};

} // namespace kalvex
