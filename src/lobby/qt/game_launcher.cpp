#include "lobby/qt/game_launcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kalvex {

namespace {

const QString kGameProgram = QStringLiteral("kalvex");

} // namespace

GameLauncher::GameLauncher(QObject *parent) : QObject(parent) {}

GameLauncher::~GameLauncher()
{
    // QProcess would end its game with it; the player's game outlives the lobby.
    if (running()) {
        process->disconnect(this);
        (void)process.release();
    }
}

QString GameLauncher::findGameProgram()
{
    const QFileInfo beside(QDir(QCoreApplication::applicationDirPath()).filePath(kGameProgram));
    if (beside.isFile() && beside.isExecutable())
        return beside.absoluteFilePath();
    return QStandardPaths::findExecutable(kGameProgram);
}

bool GameLauncher::start(const GameCommand &next, QString *problem)
{
    if (running()) {
        *problem = tr("A game started from the lobby is still running.");
        return false;
    }
    const QString program = findGameProgram();
    if (program.isEmpty()) {
        *problem = tr("The game program \"kalvex\" was found neither beside the "
                      "lobby nor on the PATH.");
        return false;
    }
    command = next;
    QStringList arguments;
    for (const std::string &argument : command.arguments)
        arguments.append(QString::fromStdString(argument));
    QProcessEnvironment environment = baseEnvironment;
    if (linkPort != 0)
        environment.insert(QStringLiteral("KALVEX_LOBBY_PORT"), QString::number(linkPort));
    if (command.port) {
        if (*command.port == kDefaultGamePort)
            environment.remove(QStringLiteral("KALVEX_PORT"));
        else
            environment.insert(QStringLiteral("KALVEX_PORT"), QString::number(*command.port));
    }

    process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setArguments(arguments);
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    connect(process.get(), &QProcess::errorOccurred, this,
            [this, program](QProcess::ProcessError e) {
                if (e == QProcess::FailedToStart)
                    emit startFailed(tr("The game program %1 could not be started: %2")
                                         .arg(program, process->errorString()));
            });
    connect(process.get(), &QProcess::finished, this, &GameLauncher::finished);
    process->start();
    return true;
}

bool GameLauncher::running() const
{
    return process && process->state() != QProcess::NotRunning;
}

qint64 GameLauncher::processId() const
{
    return process ? process->processId() : 0;
}

void GameLauncher::finished()
{
    emit ended();
}

} // namespace kalvex
