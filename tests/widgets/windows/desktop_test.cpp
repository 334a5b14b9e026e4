#include "windows/qt/desktop.h"
#include "windows/qt/secondary_window.h"

#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace kalvex {
namespace {

TEST(Desktop, OnlyWebAddressesGoToTheBrowser)
{
    EXPECT_TRUE(isWebAddress(QUrl("http://www.orbo77.com")));
    EXPECT_TRUE(isWebAddress(QUrl("HTTPS://example.org/a?b=c")));
    EXPECT_FALSE(isWebAddress(QUrl("file:///etc/passwd")));
    EXPECT_FALSE(isWebAddress(QUrl("/usr/bin/xterm")));
    EXPECT_FALSE(isWebAddress(QUrl("javascript:alert(1)")));
    EXPECT_FALSE(isWebAddress(QUrl("http://")));
    // Refused before anything is handed to the desktop.
    EXPECT_FALSE(systemDesktop().openWebAddress(QUrl("file:///bin/sh")));
}

TEST(Desktop, StartsAnExecutableWithItsArgumentsAndRefusesWhatCannotRun)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString marker = dir.filePath("ran.txt");
    const QString script = dir.filePath("installer");
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\n").arg(marker).toUtf8());
    file.close();

    EXPECT_FALSE(systemDesktop().startProgram(script, {"/silent"})) << "not executable yet";
    EXPECT_FALSE(systemDesktop().startProgram(dir.filePath("missing"), {}));
    EXPECT_FALSE(systemDesktop().startProgram(dir.path(), {}));

    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    ASSERT_TRUE(systemDesktop().startProgram(script, {"/SP-", "/silent"}));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker) && QFile(marker).size() > 0, 5000);
    QFile ran(marker);
    ASSERT_TRUE(ran.open(QIODevice::ReadOnly));
    EXPECT_EQ(ran.readAll(), "/SP- /silent\n");
}

TEST(SecondaryWindows, AreCentredOnTheMainWindowWhenShown)
{
    QMainWindow main;
    main.setGeometry(100, 120, 600, 400);
    main.show();
    SecondaryWindow window(&main, {}, Qt::white);
    window.resize(200, 100);
    window.show();
    // Before a first showing the frame's size is not known yet.
    EXPECT_LE((window.frameGeometry().center() - main.frameGeometry().center()).manhattanLength(),
              8);
    window.hide();
    main.move(300, 300);
    window.show();
    EXPECT_LE((window.frameGeometry().center() - main.frameGeometry().center()).manhattanLength(),
              2);
}

TEST(SecondaryWindows, PaintTheMainWindowsTileOrTheirColour)
{
    QPixmap tile(8, 8);
    tile.fill(QColor(10, 200, 30));
    SecondaryWindow tiled(nullptr, tile, Qt::white);
    tiled.resize(40, 40);
    EXPECT_EQ(tiled.grab().toImage().pixelColor(20, 20), QColor(10, 200, 30));
    SecondaryWindow plain(nullptr, {}, QColor(50, 84, 135));
    plain.resize(40, 40);
    EXPECT_EQ(plain.grab().toImage().pixelColor(20, 20), QColor(50, 84, 135));
    plain.setBackground(tile);
    EXPECT_EQ(plain.grab().toImage().pixelColor(20, 20), QColor(10, 200, 30));
}

} // namespace
} // namespace kalvex
