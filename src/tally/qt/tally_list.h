#pragma once
// The tally window "Kalvex  - Tally List": this player's totals, the tally
// of the selected opponent, the players in the current game and the players
// being tallied. It owns the tally, loads it from the tally file when it is
// created, and stores it after every change and when it is destroyed.
//
// Wiring in the main window:
//   auto *tally = new Ttallylist(programDirectory(), &main, reporter);
//   tally->setSeats([&] { return myslot; }, [&](int slot) { return seatNameBytes(slot); });
//   "View Tally"          -> tally->viewTally();   (a plain show() does the same)
//   TallyPort::addgame -> tally->addgame(winner);   // "addtomine" or a seat name
//   TallyPort::addtomineincrease -> tally->addtomineincrease(column);

#include "tally/tally_model.h"
#include "tally/tally_seats.h"

#include <QDialog>
#include <QPixmap>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace kalvex {

class Ttallylist : public QDialog
{
    Q_OBJECT

public:
    // Shows a failure to the user (the program's error box).
    using ErrorReporter = std::function<void(const QString &text)>;
    // Asks a Yes/No question; true for Yes.
    using Confirmer = std::function<bool(const QString &question)>;

    // `directory` is the program's directory, which holds the tally file.
    // `mainWindow` gives the background picture and the place to centre on.
    // Without a reporter, failures are shown in an error box once the event
    // loop runs.
    explicit Ttallylist(const QString &directory, QWidget *mainWindow = nullptr,
                        ErrorReporter reporter = {});
    // Stores the tally; a failure is logged, never shown.
    ~Ttallylist() override;

    // The roster the current-game list is built from. Not owned.
    void setSeats(const TallySeats *seats) { roster = seats; }
    // The same from two functions: the own slot, and the name text of a seat.
    void setSeats(std::function<int()> myslot, std::function<std::string(int slot)> seatName);
    void setConfirmer(Confirmer confirmer) { confirm = std::move(confirmer); }
    void setBackground(const QPixmap &picture);

    // A game ended with a winner: "addtomine" when this client won, else the
    // winner's seat name (the exact bytes of the seat line's name text).
    void addgame(std::string_view winner);
    void addgame(const QString &winner);
    void addgame(const char *winner) { addgame(std::string_view(winner)); }
    // 4: a round started while this client was in the game; 3: this client
    // cracked the round's code.
    void addtomineincrease(int column);
    // Rebuilds "Players In Current Game" from the roster.
    void loadchecklist();
    // The "View Tally" menu command: rebuilds the current-game list and
    // shows the window, centred on the main window, without blocking it.
    // Showing the window by other means does the same.
    void viewTally();

    // Follows a player of the current game (a click on its tick box).
    void tallyPlayer(const std::string &name);
    // Asks whether to stop following opponent `index` and does so on Yes.
    void untallyPlayer(int index);
    // "Reset Tally" after its question.
    void resetTally();

    const TallyModel &model() const { return tally; }
    QString tallyFile() const;
    // Writes the tally file now; false when that failed.
    bool store();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildWindow();
    void load();
    void changed();
    void refreshOwnLabels();
    void refreshOpponentPanel();
    void rebuildTalliedList();
    void markCurrentGameList();
    bool ask(const QString &question);
    void report(const QString &text);
    void onCheckListChanged(QListWidgetItem *item);
    void onTalliedChanged(QListWidgetItem *item);

    QString directory;
    std::string filePath;
    TallyModel tally;
    const TallySeats *roster = nullptr;
    std::unique_ptr<TallySeats> ownedSeats;
    bool placed = false;
    ErrorReporter reporter;
    Confirmer confirm;
    // False when an unreadable tally file could not be set aside: storing
    // would overwrite it.
    bool storingAllowed = true;
    bool storeFailureReported = false;
    // Set while the lists are filled by the program rather than the user.
    bool updatingLists = false;

    QLabel *mylabel[5] = {};
    QLabel *label[9] = {};
    QLabel *label_hisname = nullptr;
    QLabel *label_hisnametop = nullptr;
    QListWidget *checklist = nullptr;
    QListWidget *listbox_tally = nullptr;
    QPushButton *button_reset = nullptr;
    QPushButton *button_done = nullptr;
};

} // namespace kalvex
