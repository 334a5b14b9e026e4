// The program installed into a private prefix: the files a desktop needs,
// a valid menu entry, and an installed program that keeps its own files in
// the per-user data directory.

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

const QByteArray T(1, '\xFF');

struct Finished
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Finished run(const QString &program, const QStringList &arguments,
             const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    Finished result;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished(5000);
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

// One install for all the cases of this file.
class Installed : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        prefix = new QTemporaryDir;
        ASSERT_TRUE(prefix->isValid());
        const Finished install =
            run(KALVEX_CMAKE, {"--install", KALVEX_BINARY_DIR, "--prefix", prefix->path()});
        installed = install.exitCode == 0;
        ASSERT_TRUE(installed) << install.out.toStdString() << install.err.toStdString();
    }
    static void TearDownTestSuite()
    {
        delete prefix;
        prefix = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(installed); }

    static QString path(const QString &relative) { return QDir(prefix->path()).filePath(relative); }

    static inline QTemporaryDir *prefix = nullptr;
    static inline bool installed = false;
};

} // namespace

TEST_F(Installed, ProgramsMenuEntryAndIconsAreInTheirPlaces)
{
    for (const char *tool : {"kalvex", "kalvex-bot", "kalvex-tld"}) {
        const QFileInfo binary(path(QStringLiteral("bin/") + tool));
        EXPECT_TRUE(binary.isFile()) << tool;
        EXPECT_TRUE(binary.isExecutable()) << tool;
    }
    EXPECT_TRUE(QFileInfo(path("share/applications/kalvex.desktop")).isFile());
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString icon = path(QString("share/icons/hicolor/%1x%1/apps/kalvex.png").arg(size));
        const QImage image(icon);
        ASSERT_FALSE(image.isNull()) << icon.toStdString();
        EXPECT_EQ(image.size(), QSize(size, size)) << icon.toStdString();
        EXPECT_TRUE(image.hasAlphaChannel()) << "the icon's corners are transparent";
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
    }
    QFile svg(path("share/icons/hicolor/scalable/apps/kalvex.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<svg"));
}

TEST_F(Installed, TheMenuEntryIsValidAndStartsTheInstalledProgram)
{
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    ASSERT_FALSE(validator.isEmpty()) << "desktop-file-validate (desktop-file-utils) is needed";
    const QString entry = path("share/applications/kalvex.desktop");
    const Finished check = run(validator, {entry});
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_TRUE(check.out.trimmed().isEmpty()) << check.out.toStdString();
    EXPECT_TRUE(check.err.trimmed().isEmpty()) << check.err.toStdString();

    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("\nExec=kalvex\n")) << "found on the PATH, a solo game";
    EXPECT_TRUE(text.contains("\nIcon=kalvex\n")) << "the installed hicolor icon";
    EXPECT_TRUE(text.contains("\nCategories=Game;BoardGame;\n"));
}

TEST_F(Installed, HelpAndVersionAnswerOnStandardOutputWithoutADisplay)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    const Finished version = run(path("bin/kalvex"), {"--version"}, env);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "kalvex 1.0.5\n");
    EXPECT_TRUE(version.err.isEmpty()) << version.err.toStdString();
    const Finished help = run(path("bin/kalvex"), {"--help"}, env);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: kalvex")) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("--version"));
}

namespace {

// The names of the files in a directory, sorted, as one readable text.
std::string filesIn(const QString &directory)
{
    QStringList names = QDir(directory).entryList(QDir::Files);
    names.sort();
    return names.join(' ').toStdString();
}

// Joins a game as Ann with the user's own directories, logs in, then loses
// the game link, which ends the program normally (the tally is saved).
void playUntilTheLinkCloses(const QString &installedProgram, const QTemporaryDir &user)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QTcpServer host;
    ASSERT_TRUE(host.listen(QHostAddress::LocalHost, 0));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("KALVEX_HOME");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOME", user.path());
    env.insert("XDG_DATA_HOME", user.filePath("data"));
    env.insert("XDG_CONFIG_HOME", user.filePath("config"));
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("KALVEX_PORT", QString::number(host.serverPort()));
    env.insert("KALVEX_LOBBY_PORT", "1");
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(installedProgram, {"Ann", "127.0.0.1", "join"});
    ASSERT_TRUE(program.waitForStarted(5000));

    ASSERT_TRUE(host.waitForNewConnection(15000));
    QTcpSocket *link = host.nextPendingConnection();
    link->write("CMD_sendlogininfo+3" + T);
    QByteArray login;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            login += link->readAll();
            return login.endsWith(T + T);
        },
        10000));
    link->write("CMD_newplayerinfo+3+Ann" + T);
    link->flush();
    QTest::qWait(500);
    link->close();
    if (!program.waitForFinished(15000)) {
        program.kill();
        program.waitForFinished(5000);
        FAIL() << "the program did not end with its game link";
    }
    EXPECT_EQ(program.exitCode(), 0);
}

} // namespace

TEST_F(Installed, TheInstalledProgramKeepsItsFilesInThePerUserDataDirectory)
{
    // The prefix is writable here, as it would be for the one who installed
    // it; the program must still leave its bin directory alone.
    QTemporaryDir user;
    ASSERT_TRUE(user.isValid());
    const std::string installedFiles = filesIn(path("bin"));
    playUntilTheLinkCloses(path("bin/kalvex"), user);

    EXPECT_TRUE(QFileInfo::exists(user.filePath("data/kalvex/kalvextally.tld")))
        << "the tally is kept in the user's data directory";
    EXPECT_EQ(filesIn(path("bin")), installedFiles)
        << "nothing is written beside the installed programs";
}

TEST_F(Installed, ProgramsInTheGamesDirectoryOfThePackageKeepTheirFilesAwayToo)
{
    // The Debian package moves the programs from bin to games.
    QTemporaryDir packaged;
    ASSERT_TRUE(packaged.isValid());
    const Finished install =
        run(KALVEX_CMAKE, {"--install", KALVEX_BINARY_DIR, "--prefix", packaged.path()});
    ASSERT_EQ(install.exitCode, 0) << install.err.toStdString();
    ASSERT_TRUE(QDir(packaged.path()).rename("bin", "games"));
    const QString games = packaged.filePath("games");
    const std::string installedFiles = filesIn(games);

    QTemporaryDir user;
    ASSERT_TRUE(user.isValid());
    playUntilTheLinkCloses(QDir(games).filePath("kalvex"), user);

    EXPECT_TRUE(QFileInfo::exists(user.filePath("data/kalvex/kalvextally.tld")))
        << "the tally is kept in the user's data directory";
    EXPECT_EQ(filesIn(games), installedFiles) << "nothing is written beside the installed programs";
}
