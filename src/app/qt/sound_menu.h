#pragma once
// The sound entries of the Options menu.

#include "app/settings.h"
#include "app/sound_cues.h"

#include <QObject>

class QAction;
class QMenu;

namespace kalvex {

// Adds "Play Sounds", "Play Chatter Sounds" and the "Turn Sound" submenu
// ("Classic", "New") to a menu, in that order. A click switches the
// SoundCues and reports which setting changed, so that the main window
// saves the settings file at once.
class SoundMenu : public QObject
{
    Q_OBJECT

public:
    SoundMenu(SoundCues &cues, QMenu *options);

    // Marks the entries by the cues' switches, as after the settings were
    // applied. Reports nothing.
    void showSwitches();

    QAction *playSoundsAction() const { return playSounds; }
    QAction *chatterSoundsAction() const { return chatterSounds; }
    QMenu *turnSoundMenu() const { return turnMenu; }
    QAction *classicAction() const { return classic; }
    QAction *newAction() const { return newTurn; }

signals:
    // The user changed this switch (Playsounds, ChatterSounds or Turnsound).
    void switchChanged(kalvex::SettingKey key);

private:
    void chooseTurnSound(TurnSound choice);

    SoundCues &cues;
    QAction *playSounds = nullptr;
    QAction *chatterSounds = nullptr;
    QMenu *turnMenu = nullptr;
    QAction *classic = nullptr;
    QAction *newTurn = nullptr;
};

} // namespace kalvex
