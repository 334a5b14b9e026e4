#include "app/qt/file_places.h"

#include "app/launch_plan.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kalvex {

namespace {

QString ensured(const QString &path)
{
    QDir().mkpath(path);
    return QDir(path).absolutePath();
}

// An installed program sits in <prefix>/bin with its menu entry in
// <prefix>/share/applications: its directory is shared by every user (and
// may be writable to the one who installed it), so it keeps no files there.
bool installedProgram(const QString &executableDir)
{
    return QFileInfo::exists(
        QDir(executableDir).filePath(QStringLiteral("../share/applications/kalvex.desktop")));
}

} // namespace

QString programDirectory()
{
    const QString home = qEnvironmentVariable("KALVEX_HOME");
    if (!home.isEmpty())
        return ensured(home);
    const QString executableDir = QCoreApplication::applicationDirPath();
    if (!executableDir.isEmpty() && QFileInfo(executableDir).isWritable() &&
        !installedProgram(executableDir))
        return executableDir;
    return ensured(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString programFile(const QString &name)
{
    return QDir(programDirectory()).filePath(name);
}

QString gamePortName()
{
    const QByteArray value = qgetenv("KALVEX_PORT");
    return QString::number(portFromText(value.isNull() ? nullptr : value.constData(), 7772));
}

QString lobbyPortName()
{
    const QByteArray value = qgetenv("KALVEX_LOBBY_PORT");
    return QString::number(portFromText(value.isNull() ? nullptr : value.constData(), 9001));
}

QString runtimeDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

} // namespace kalvex
