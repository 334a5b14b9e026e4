#include "windows/qt/spylist_form.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace kalvex {
namespace {

class SpyListWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        list = window.findChild<QListWidget *>("list_spys");
        remove = window.findChild<QAction *>("menu_removefromgame");
        ASSERT_TRUE(list && remove);
    }

    QPoint centreOf(int row) const { return list->visualItemRect(list->item(row)).center(); }
    void pointAt(const QPoint &pos) { QTest::mouseMove(list->viewport(), pos); }

    QStringList shown() const
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }

    Tspylist window{nullptr};
    QListWidget *list = nullptr;
    QAction *remove = nullptr;
};

TEST_F(SpyListWindow, IsAnAlwaysOnTopWindowWithItsCaption)
{
    EXPECT_EQ(window.windowTitle(), "Kalvex - Spys");
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(SpyListWindow, EntriesArriveInOrderWithTheirTranscriptLines)
{
    EXPECT_EQ(window.addentry(12, "Ann", 3), "0+Ann is spying.");
    EXPECT_EQ(window.addentry(11, "Me", 11), "0+You are spying.");
    EXPECT_EQ(shown(), QStringList({"12: Ann", "11: Me"}));
}

TEST_F(SpyListWindow, DepartureRemovesOnlyAMatchingEntry)
{
    window.addentry(12, "Ann", 1);
    window.addentry(13, "Bob", 1);
    EXPECT_FALSE(window.removeentry(12, "Bob").has_value());
    EXPECT_FALSE(window.removeentry(14, "Ann").has_value());
    EXPECT_EQ(shown(), QStringList({"12: Ann", "13: Bob"}));
    EXPECT_EQ(window.removeentry(12, "Ann"), std::optional<std::string>("0+Ann has left."));
    EXPECT_EQ(shown(), QStringList({"13: Bob"}));
}

TEST_F(SpyListWindow, NamesInASingleByteCodePageAreShownReadably)
{
    window.addentry(12, "Jos\xE9", 1);
    EXPECT_EQ(shown(), QStringList({QStringLiteral("12: Jos\u00E9")}));
    EXPECT_TRUE(window.removeentry(12, "Jos\xE9").has_value());
}

TEST_F(SpyListWindow, RemoveFromGameIsGreyedUntilThisInstanceHosts)
{
    EXPECT_FALSE(remove->isEnabled());
    window.setHosting(true);
    EXPECT_TRUE(remove->isEnabled());
}

TEST_F(SpyListWindow, RemoveFromGameKicksThePointedEntryNotTheSelectedOne)
{
    window.setHosting(true);
    window.addentry(12, "Ann", 1);
    window.addentry(15, "Bob", 1);
    window.show();
    QSignalSpy kicked(&window, &Tspylist::kickRequested);
    list->setCurrentRow(0);
    pointAt(centreOf(1));
    EXPECT_EQ(window.pointedEntry(), 1);
    remove->trigger();
    ASSERT_EQ(kicked.size(), 1);
    EXPECT_EQ(kicked.first().first().toInt(), 15);
}

TEST_F(SpyListWindow, RightClickAwayFromEntriesDoesNothing)
{
    window.setHosting(true);
    window.addentry(12, "Ann", 1);
    window.show();
    QSignalSpy kicked(&window, &Tspylist::kickRequested);
    pointAt(centreOf(0));
    const QPoint empty(5, list->viewport()->height() - 5);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, empty,
                                 list->viewport()->mapToGlobal(empty));
    QApplication::sendEvent(list->viewport(), &rightClick);
    EXPECT_EQ(window.pointedEntry(), -1);
    EXPECT_TRUE(window.contextMenu()->isVisible());
    remove->trigger();
    EXPECT_TRUE(kicked.isEmpty());
    window.contextMenu()->hide();
}

TEST_F(SpyListWindow, RightClickOnAnEntryOpensTheMenuForThatEntry)
{
    window.setHosting(true);
    window.addentry(12, "Ann", 1);
    window.addentry(17, "Cy", 1);
    window.show();
    QSignalSpy kicked(&window, &Tspylist::kickRequested);
    const QPoint onCy = centreOf(1);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, onCy,
                                 list->viewport()->mapToGlobal(onCy));
    QApplication::sendEvent(list->viewport(), &rightClick);
    remove->trigger();
    ASSERT_EQ(kicked.size(), 1);
    EXPECT_EQ(kicked.first().first().toInt(), 17);
    window.contextMenu()->hide();
}

TEST_F(SpyListWindow, PointedEntryForgetsARemovedLastEntry)
{
    window.setHosting(true);
    window.addentry(12, "Ann", 1);
    window.addentry(13, "Bob", 1);
    window.show();
    pointAt(centreOf(1));
    window.removeentry(13, "Bob");
    QSignalSpy kicked(&window, &Tspylist::kickRequested);
    window.removeFromGame();
    EXPECT_TRUE(kicked.isEmpty());
}

} // namespace
} // namespace kalvex
