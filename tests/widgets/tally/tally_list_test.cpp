#include "tally/packed_file.h"
#include "tally/qt/tally_list.h"
#include "tally/str_grid.h"
#include "tally/tally_file.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace kalvex {
namespace {

class Seats : public TallySeats
{
public:
    int mine = 1;
    std::map<int, std::string> names;
    int myslot() const override { return mine; }
    std::string seatName(int slot) const override
    {
        const auto it = names.find(slot);
        return it == names.end() ? kFreeSeat : it->second;
    }
};

// A tally window on a private directory, with recorded questions and errors.
class TallyWindow : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    Seats seats;
    QStringList errors;
    QStringList questions;
    bool answer = true;

    std::unique_ptr<Ttallylist> open()
    {
        auto w = std::make_unique<Ttallylist>(dir.path(), nullptr,
                                              [this](const QString &e) { errors << e; });
        w->setSeats(&seats);
        w->setConfirmer([this](const QString &q) {
            questions << q;
            return answer;
        });
        return w;
    }

    static QString text(QWidget *w, const char *name)
    {
        auto *l = w->findChild<QLabel *>(QString::fromLatin1(name));
        return l ? l->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
    }
    static QListWidget *list(QWidget *w, const char *name)
    {
        return w->findChild<QListWidget *>(QString::fromLatin1(name));
    }
    static QStringList items(QListWidget *l)
    {
        QStringList out;
        for (int i = 0; i < l->count(); ++i)
            out << l->item(i)->text() + (l->item(i)->checkState() == Qt::Checked ? "+" : "-");
        return out;
    }
    static QStringList opponentPanel(QWidget *w)
    {
        QStringList out{text(w, "label_hisnametop"), text(w, "label_hisname")};
        for (int n = 1; n <= 8; ++n)
            out << text(w, QStringLiteral("label_%1").arg(n).toLatin1().constData());
        return out;
    }
    static void toggle(QListWidget *l, int row)
    {
        QListWidgetItem *item = l->item(row);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        QApplication::processEvents();
    }
    std::string file() const { return tallyFilePath(dir.path().toStdString()); }
};

TEST_F(TallyWindow, ShowsItsCaptionsAndStartsAtZero)
{
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "Kalvex  - Tally List");
    EXPECT_EQ(w->size(), QSize(455, 349));
    EXPECT_EQ(text(w.get(), "mylabel_1"), "0");
    EXPECT_EQ(text(w.get(), "mylabel_3"), "0");
    EXPECT_EQ(text(w.get(), "label_hisname"), "XX Wins:");
    EXPECT_EQ(text(w.get(), "label_hisnametop"), "");
    EXPECT_FALSE(w->findChild<QLabel *>("mylabel_4")->isVisibleTo(w.get()));
    QStringList captions;
    for (QLabel *l : w->findChildren<QLabel *>())
        captions << l->text();
    for (const char *c :
         {"Your Total Tally", "Total Games:", "Your Wins:", "Codes Cracked:", "Total", "Session",
          "Number of Games", "Neither Won:", "Players In Current Game", "Players Being Tallied"})
        EXPECT_TRUE(captions.contains(QString::fromUtf8(c))) << c;
    EXPECT_EQ(w->findChild<QPushButton *>("button_reset")->text(), "Reset Tally");
    EXPECT_EQ(w->findChild<QPushButton *>("button_done")->text(), "Done");
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_FALSE(std::filesystem::exists(file()));
}

TEST_F(TallyWindow, FollowsPlayersOfTheCurrentGameAndCountsTheirGames)
{
    seats.names = {{1, "Me"}, {2, "Ann"}, {4, "Bob"}};
    auto w = open();
    w->viewTally();
    EXPECT_TRUE(w->isVisible());
    QListWidget *game = list(w.get(), "checklist");
    QListWidget *tallied = list(w.get(), "listbox_tally");
    EXPECT_EQ(items(game), (QStringList{"Ann-", "Bob-"}));

    toggle(game, 0);
    toggle(game, 1);
    EXPECT_EQ(items(tallied), (QStringList{"Ann+", "Bob+"}));
    EXPECT_EQ(items(game), (QStringList{"Ann+", "Bob+"}));
    // Clearing the box of a tallied name removes nothing.
    toggle(game, 0);
    EXPECT_EQ(items(tallied), (QStringList{"Ann+", "Bob+"}));

    tallied->setCurrentRow(0);
    w->addtomineincrease(4);
    w->addgame(QStringLiteral("Ann"));
    EXPECT_EQ(opponentPanel(w.get()),
              (QStringList{"Ann's Tally", "Ann Wins:", "1", "1", "0", "0", "1", "1", "0", "0"}));
    EXPECT_EQ(text(w.get(), "mylabel_1"), "1");
    EXPECT_EQ(text(w.get(), "mylabel_2"), "0");
    EXPECT_EQ(text(w.get(), "mylabel_3"), "0/1");

    tallied->setCurrentRow(1);
    EXPECT_EQ(opponentPanel(w.get()),
              (QStringList{"Bob's Tally", "Bob Wins:", "1", "0", "0", "1", "1", "0", "0", "1"}));
    w->addtomineincrease(3);
    w->addgame(QString::fromLatin1(kAddToMine.data(), kAddToMine.size()));
    EXPECT_EQ(text(w.get(), "label_3"), "1");
    EXPECT_EQ(text(w.get(), "mylabel_2"), "1");
    EXPECT_EQ(text(w.get(), "mylabel_3"), "1/1");
    EXPECT_TRUE(questions.isEmpty());

    w->findChild<QPushButton *>("button_done")->click();
    EXPECT_FALSE(w->isVisible());
}

TEST_F(TallyWindow, ShowingRebuildsTheCurrentGameListCentredOnTheMainWindow)
{
    QWidget main;
    main.setGeometry(100, 100, 636, 454);
    int mine = 2;
    std::map<int, std::string> names{{1, "Host"}, {2, "Me"}, {3, "Ann"}};
    Ttallylist w(dir.path(), &main, [this](const QString &e) { errors << e; });
    w.setSeats([&] { return mine; },
               [&](int slot) { return names.count(slot) ? names[slot] : kFreeSeat; });
    w.tallyPlayer("ann");
    w.show();
    EXPECT_EQ(items(list(&w, "checklist")), (QStringList{"Host-", "Ann+"}));
    // Centred to the pixel; odd differences of size round.
    EXPECT_LE((w.geometry().center() - main.geometry().center()).manhattanLength(), 2);
    names.erase(3);
    w.hide();
    w.viewTally();
    EXPECT_EQ(items(list(&w, "checklist")), QStringList{"Host-"});
}

TEST_F(TallyWindow, EveryChangeIsStoredAtOnce)
{
    seats.names = {{2, "Ann"}};
    auto w = open();
    w->loadchecklist();
    toggle(list(w.get(), "checklist"), 0);
    StrGrid stored;
    ASSERT_TRUE(readTallyFile(file(), stored));
    EXPECT_EQ(stored.rowCount(), 2);
    w->addgame(QStringLiteral("Ann"));
    ASSERT_TRUE(readTallyFile(file(), stored));
    EXPECT_EQ(stored.cell(2, 1), "1");
    w->addtomineincrease(4);
    ASSERT_TRUE(readTallyFile(file(), stored));
    EXPECT_EQ(stored.cell(4, 0), "1");
    // Only the tally file is in the program's directory.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(TallyWindow, AFailedStoreIsToldOnceAndCountingGoesOn)
{
    Ttallylist w(dir.filePath("no-such-dir"), nullptr, [this](const QString &e) { errors << e; });
    w.addtomineincrease(4);
    w.addtomineincrease(4);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("The tally could not be saved: ")) << errors[0].toStdString();
    EXPECT_EQ(text(&w, "mylabel_3"), "0/2");
}

TEST_F(TallyWindow, NoOnRemovalKeepsTheOpponentTicked)
{
    seats.names = {{2, "Ann"}};
    auto w = open();
    w->tallyPlayer("Ann");
    QListWidget *tallied = list(w.get(), "listbox_tally");
    answer = false;
    toggle(tallied, 0);
    EXPECT_EQ(questions, QStringList{"This will delete Ann's Tally, Are you want to delete it?"});
    EXPECT_EQ(items(tallied), QStringList{"Ann+"});
    EXPECT_EQ(w->model().opponentCount(), 1);

    answer = true;
    toggle(tallied, 0);
    EXPECT_EQ(items(tallied), QStringList{});
    EXPECT_EQ(w->model().table().rowCount(), 1);
}

TEST_F(TallyWindow, ResetAsksAndClearsEverything)
{
    auto w = open();
    w->tallyPlayer("Ann");
    list(w.get(), "listbox_tally")->setCurrentRow(0);
    w->addgame(QStringLiteral("Ann"));
    answer = false;
    w->findChild<QPushButton *>("button_reset")->click();
    EXPECT_EQ(questions, QStringList{"Are you sure you want to reset the Tally?"});
    EXPECT_EQ(text(w.get(), "mylabel_1"), "1");

    answer = true;
    w->findChild<QPushButton *>("button_reset")->click();
    EXPECT_EQ(text(w.get(), "mylabel_1"), "0");
    EXPECT_EQ(text(w.get(), "mylabel_3"), "0/0");
    EXPECT_EQ(list(w.get(), "listbox_tally")->count(), 0);
    EXPECT_EQ(opponentPanel(w.get()),
              (QStringList{"Ann's Tally", "Ann Wins:", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(w->model().cell(0, 0), "");
}

TEST_F(TallyWindow, RestartKeepsTotalsWithTheSessionAtZero)
{
    seats.names = {{2, "Ann"}, {3, "Bob"}};
    {
        auto w = open();
        w->tallyPlayer("Ann");
        w->addtomineincrease(4);
        w->addgame(QStringLiteral("Bob"));
    }
    auto w = open();
    EXPECT_EQ(items(list(w.get(), "listbox_tally")), QStringList{"Ann+"});
    EXPECT_EQ(text(w.get(), "mylabel_1"), "1");
    EXPECT_EQ(text(w.get(), "mylabel_3"), "0/1");
    list(w.get(), "listbox_tally")->setCurrentRow(0);
    EXPECT_EQ(opponentPanel(w.get()),
              (QStringList{"Ann's Tally", "Ann Wins:", "1", "0", "0", "1", "0", "0", "0", "0"}));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TallyWindow, NamesWithLineBreaksAndAccentsAreFollowedAcrossARestart)
{
    seats.names = {{2, "Ca\rrl"},
                   {3, "Al\x1A"
                       "ice"},
                   {4, "\xC3\x89mile"}};
    {
        auto w = open();
        w->viewTally();
        for (int i = 0; i < 3; ++i)
            toggle(list(w.get(), "checklist"), i);
        EXPECT_EQ(items(list(w.get(), "listbox_tally")),
                  (QStringList{"Ca rl+", "Al ice+", QString::fromUtf8("\u00C9mile+")}));
        w->addgame(QStringLiteral("Ca\rrl"));
    }
    // Back with another letter case of the accented name.
    seats.names[4] = "\xC3\xA9MILE";
    auto w = open();
    w->viewTally();
    EXPECT_EQ(items(list(w.get(), "listbox_tally")),
              (QStringList{"Ca rl+", "Al ice+", QString::fromUtf8("\u00C9mile+")}));
    // The current game shows the seat names as they are.
    EXPECT_EQ(items(list(w.get(), "checklist")), (QStringList{"Ca\rrl+",
                                                              QString::fromLatin1("Al\x1A"
                                                                                  "ice+"),
                                                              QString::fromUtf8("\u00E9MILE+")}));
    list(w.get(), "listbox_tally")->setCurrentRow(0);
    EXPECT_EQ(opponentPanel(w.get()), (QStringList{"Ca rl's Tally", "Ca rl Wins:", "1", "1", "0",
                                                   "0", "0", "0", "0", "0"}));
    w->addgame(QStringLiteral("Ca\rrl"));
    list(w.get(), "listbox_tally")->setCurrentRow(2);
    EXPECT_EQ(text(w.get(), "label_1"), "2");
    EXPECT_EQ(text(w.get(), "label_4"), "2");
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TallyWindow, AnUnreadableFileIsKeptAndNamedInTheErrorBox)
{
    {
        std::ofstream(file(), std::ios::binary) << std::string("WRZL\x10\0\0\0broken", 14);
    }
    auto w = open();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(
        QString::fromStdString("Lzrw1 : Error reading from input file : " + file() + "\n\n")))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("kalvextally.tld.unreadable")) << errors[0].toStdString();
    EXPECT_TRUE(std::filesystem::exists(file() + ".unreadable"));
    EXPECT_EQ(w->model().table().rowCount(), 1);
    // The next store writes a fresh file and leaves the kept one alone.
    w->addtomineincrease(4);
    StrGrid stored;
    EXPECT_TRUE(readTallyFile(file(), stored));
    EXPECT_TRUE(std::filesystem::exists(file() + ".unreadable"));
}

TEST_F(TallyWindow, ATableThatIsNotATallyStartsAnEmptyTally)
{
    StrGrid three(3, 2);
    three.cell(0, 1) = "Ann";
    writeTallyFile(file(), three);
    auto w = open();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(w->model().table().rowCount(), 1);
    EXPECT_EQ(list(w.get(), "listbox_tally")->count(), 0);
}

} // namespace
} // namespace kalvex
