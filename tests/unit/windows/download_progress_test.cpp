#include "windows/download_progress.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

TEST(InstallerFileName, IsTheAddressAfterItsLastSlash)
{
    EXPECT_EQ(installerFileName("http://www.orbo77.com/lobby/qvnsetup.exe"), "qvnsetup.exe");
    EXPECT_EQ(installerFileName("http://host/"), "");
    EXPECT_EQ(installerFileName("setup"), "setup");
}

TEST(FailureStatus, StartsAt400)
{
    EXPECT_FALSE(isFailureStatus(200));
    EXPECT_FALSE(isFailureStatus(399));
    EXPECT_TRUE(isFailureStatus(400));
    EXPECT_TRUE(isFailureStatus(404));
    EXPECT_TRUE(isFailureStatus(503));
}

TEST(InstallerSource, HttpsAnywhereButPlainHttpOnlyFromThisComputer)
{
    EXPECT_TRUE(mayStartProgramFrom("https", "www.orbo77.com"));
    EXPECT_TRUE(mayStartProgramFrom("HTTPS", "203.0.113.9"));
    EXPECT_FALSE(mayStartProgramFrom("https", ""));

    EXPECT_FALSE(mayStartProgramFrom("http", "www.orbo77.com"));
    EXPECT_FALSE(mayStartProgramFrom("http", "203.0.113.9"));
    EXPECT_FALSE(mayStartProgramFrom("http", "2001:db8::1"));
    EXPECT_FALSE(mayStartProgramFrom("http", "::ffff:203.0.113.9"));
    // Names that merely begin like a loop-back address are not one.
    EXPECT_FALSE(mayStartProgramFrom("http", "127.0.0.1.example.com"));
    EXPECT_FALSE(mayStartProgramFrom("http", "localhost.example.com"));
    EXPECT_FALSE(mayStartProgramFrom("http", "128.0.0.1"));
    EXPECT_FALSE(mayStartProgramFrom("http", ""));

    EXPECT_TRUE(mayStartProgramFrom("http", "127.0.0.1"));
    EXPECT_TRUE(mayStartProgramFrom("http", "127.45.6.7"));
    EXPECT_TRUE(mayStartProgramFrom("http", "LocalHost"));
    EXPECT_TRUE(mayStartProgramFrom("http", "::1"));
    EXPECT_TRUE(mayStartProgramFrom("http", "::ffff:127.0.0.1"));

    EXPECT_FALSE(mayStartProgramFrom("ftp", "127.0.0.1"));
    EXPECT_FALSE(mayStartProgramFrom("file", ""));
}

TEST(DownloadProgress, ReportsHeadersBodyAndSizeOfASuccessfulDownload)
{
    DownloadProgress p;
    p.prepare("http://h/lobby/qvnsetup.exe");
    EXPECT_EQ(p.flag(), DownloadProgress::Flag::Running);
    EXPECT_EQ(p.infolabel2(), "qvnsetup.exe");
    EXPECT_TRUE(p.getEnabled());
    p.started();
    EXPECT_EQ(p.infolabel(), "Loading");
    EXPECT_FALSE(p.getEnabled());
    EXPECT_TRUE(p.abortEnabled());
    p.headerLine();
    p.headerLine();
    EXPECT_EQ(p.infolabel(), "Loading..");
    p.docBegin();
    EXPECT_EQ(p.infolabel3(), "Downloading: qvnsetup.exe");
    p.docData(4096);
    EXPECT_EQ(p.infolabel(), "4096 bytes");
    EXPECT_TRUE(p.end(true, 5000));
    EXPECT_EQ(p.infolabel(), "Received 5000 bytes");
    EXPECT_EQ(p.infolabel3(), "Installing");
    EXPECT_TRUE(p.getEnabled());
    EXPECT_FALSE(p.abortEnabled());
    EXPECT_FALSE(p.running());
}

TEST(DownloadProgress, StopDuringADownloadEndsItAbortedAndInstallsNothing)
{
    DownloadProgress p;
    p.prepare("http://h/a.exe");
    p.started();
    p.stop();
    EXPECT_EQ(p.infolabel(), "Download has been aborted.");
    EXPECT_EQ(p.infolabel3(), "Download Aborted");
    // Even a request that then reports success installs nothing.
    EXPECT_FALSE(p.end(true, 10));
    EXPECT_FALSE(p.end(false, 10));
    EXPECT_EQ(p.infolabel(), "Download Aborted");
    EXPECT_EQ(p.flag(), DownloadProgress::Flag::Aborted);
}

TEST(DownloadProgress, ANewDownloadAfterAStopCanInstallAgain)
{
    DownloadProgress p;
    p.stop();
    EXPECT_TRUE(p.getEnabled());
    EXPECT_TRUE(p.abortEnabled());
    p.prepare("http://h/a.exe");
    p.started();
    EXPECT_TRUE(p.end(true, 1));
}

TEST(DownloadProgress, AnErrorReturnsTheButtonsToIdleWithoutInstalling)
{
    DownloadProgress p;
    p.prepare("http://h/a.exe");
    p.started();
    p.endWithError();
    EXPECT_EQ(p.infolabel(), "Download Aborted");
    EXPECT_TRUE(p.getEnabled());
    EXPECT_FALSE(p.abortEnabled());
    EXPECT_FALSE(p.running());
}

} // namespace
} // namespace kalvex
