#include "recording_desktop.h"
#include "windows/qt/download_form.h"
#include "windows/qt/windows_resources.h"

#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace kalvex {
namespace {

using testing::RecordingDesktop;

class DownloadWindow : public ::testing::Test
{
protected:
    QString text(const char *name) const { return window.findChild<QLabel *>(name)->text(); }
    QPushButton *button(const char *name) const { return window.findChild<QPushButton *>(name); }

    QTemporaryDir home;
    RecordingDesktop desktop;
    Tdownload window{home.path(), nullptr, {}, &desktop};
};

TEST_F(DownloadWindow, StartsIdleWithBothDownloadButtonsEnabled)
{
    EXPECT_EQ(window.windowTitle(), "Download The Orbo77 Lobby");
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(button("getbutton")->isEnabled());
    EXPECT_TRUE(button("abortbutton")->isEnabled());
    EXPECT_TRUE(button("Button1")->isDefault());
    EXPECT_EQ(button("getbutton")->text(), "Download And Install The Orbo77 Lobby Now");
    EXPECT_EQ(button("Button2")->text(), "Play with Others");
    EXPECT_TRUE(text("infolabel").isEmpty());
    EXPECT_TRUE(text("infolabel3").isEmpty());
    EXPECT_EQ(text("label_pitch"), "Download The Orbo77 Lobby Now to play this  and other exciting "
                                   "games online with other players! ");
    EXPECT_EQ(text("label_closed"), "IS CLOSED");
    EXPECT_EQ(window.installerAddress(), QUrl("https://www.orbo77.com/lobby/qvnsetup.exe"));
}

TEST_F(DownloadWindow, AdvertisingPictureIsAJpegDecodedByTheJpegPlugin)
{
    EXPECT_TRUE(jpegDecoderAvailable());
    QImageReader reader(":/windows/lobby_ad.jpg");
    EXPECT_EQ(reader.format(), "jpeg");
    auto *picture = window.findChild<QLabel *>("image_ad");
    EXPECT_TRUE(picture->pixmap().isNull()) << "decoded only when the window is shown";
    EXPECT_EQ(picture->size(), QSize(340, 210)) << "its place is kept meanwhile";
    window.show();
    EXPECT_EQ(picture->pixmap().size(), QSize(340, 210));
    EXPECT_EQ(picture->pixmap().toImage().pixel(170, 105),
              QImage(":/windows/lobby_ad.jpg").convertToFormat(QImage::Format_RGB32).pixel(170, 105));
}

TEST_F(DownloadWindow, StopWhileIdleShowsItsTwoTextsAndChangesNothingElse)
{
    QTest::mouseClick(button("abortbutton"), Qt::LeftButton);
    EXPECT_EQ(text("infolabel"), "Download has been aborted.");
    EXPECT_EQ(text("infolabel3"), "Download Aborted");
    EXPECT_TRUE(button("getbutton")->isEnabled());
    EXPECT_TRUE(button("abortbutton")->isEnabled());
    EXPECT_TRUE(desktop.started.isEmpty());
}

TEST_F(DownloadWindow, AFileThatCannotBeCreatedIsReportedAndNoRequestIsMade)
{
    Tdownload elsewhere(home.filePath("missing/dir"), nullptr, {}, &desktop);
    elsewhere.download();
    ASSERT_EQ(desktop.errors.size(), 1);
    EXPECT_TRUE(desktop.errors.first().contains("qvnsetup.exe"));
    EXPECT_FALSE(elsewhere.isDownloading());
    EXPECT_TRUE(elsewhere.findChild<QPushButton *>("getbutton")->isEnabled());
    EXPECT_TRUE(elsewhere.findChild<QLabel *>("infolabel")->text().isEmpty());
}

TEST_F(DownloadWindow, AnAddressWithoutAFileNameIsRefused)
{
    window.setInstallerAddress(QUrl("http://127.0.0.1:1/lobby/"));
    window.download();
    EXPECT_EQ(desktop.errors.size(), 1);
    EXPECT_FALSE(window.isDownloading());
}

TEST_F(DownloadWindow, PlaySoloHidesTheWindow)
{
    window.show();
    QTest::mouseClick(button("Button1"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(DownloadWindow, PlayWithOthersWithoutTheLobbyLeavesTheGameRunning)
{
    QSignalSpy exit(&window, &Tdownload::exitRequested);
    window.setLobbyPath(home.filePath("Orbo77Lobby"));
    QTest::mouseClick(button("Button2"), Qt::LeftButton);
    EXPECT_TRUE(exit.isEmpty());
    EXPECT_TRUE(desktop.started.isEmpty());
    EXPECT_EQ(desktop.messages,
              QStringList({"Please close the game and open the Orbo77 Lobby using the icon on "
                           "your desktop or using the your Window's start-up menu."}));
}

TEST_F(DownloadWindow, PlayWithOthersStartsTheInstalledLobbyAndEndsTheGameEvenIfItFails)
{
    QSignalSpy exit(&window, &Tdownload::exitRequested);
    const QString lobby = home.filePath("Orbo77Lobby");
    QFile(lobby).open(QIODevice::WriteOnly);
    window.setLobbyPath(lobby);
    desktop.programsStart = false;
    window.playWithOthers();
    ASSERT_EQ(desktop.started.size(), 1);
    EXPECT_EQ(desktop.started.first().first, lobby);
    EXPECT_TRUE(desktop.started.first().second.isEmpty());
    EXPECT_EQ(exit.size(), 1);
    EXPECT_TRUE(desktop.messages.isEmpty());
}

TEST(DownloadWindowAddress, ComesFromTheEnvironmentWhenSet)
{
    qputenv("KALVEX_LOBBY_URL", "http://127.0.0.1:8080/x/setup.bin");
    RecordingDesktop desktop;
    Tdownload window(QDir::tempPath(), nullptr, {}, &desktop);
    qunsetenv("KALVEX_LOBBY_URL");
    EXPECT_EQ(window.installerAddress(), QUrl("http://127.0.0.1:8080/x/setup.bin"));
}

} // namespace
} // namespace kalvex
