#pragma once
// Tgamestart: the host's game options dialog. Its start button sends the
// start request and asks the main window to save the settings.
// The settings file reads and writes the four options through rounds(),
// roundSeconds(), bonus(), six() and their setters.

#include "windows/game_options.h"
#include "windows/qt/secondary_window.h"

#include <string>

class QPushButton;
class QSpinBox;

namespace kalvex {

class TwoStatePicture;

class Tgamestart : public SecondaryWindow
{
    Q_OBJECT

public:
    explicit Tgamestart(QWidget *mainWindow, const QPixmap &background = {});

    // The name sent in the start request (the host's playername).
    void setPlayerName(const std::string &name) { playername = name; }

    // The four options as shown. Setters bring a number into its range
    // (rounds 1..10, seconds 60..180; bonus and six are on only at 1).
    int rounds() const;
    void setRounds(int rounds);
    int roundSeconds() const;
    void setRoundSeconds(int seconds);
    int bonus() const;
    void setBonus(int state);
    int six() const;
    void setSix(int state);
    GameOptions options() const;
    void setOptions(const GameOptions &options);

    // The start button's action: send, hide, save.
    void startGame();

signals:
    // The whole "CMD_startgame" message, terminator included, for the game link.
    void startRequested(const QByteArray &wire);
    // Emitted after the dialog hid itself: the settings file should be saved now.
    void saveSettingsRequested();

private:
    QSpinBox *roundsField;
    QSpinBox *secondsField;
    TwoStatePicture *bonusPicture;
    TwoStatePicture *sixPicture;
    QPushButton *startButton;
    std::string playername;
};

} // namespace kalvex
