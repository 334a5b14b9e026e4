#include "bot/qt/computer_players.h"

#include "bot/computer_names.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace kalvex::bot {

ComputerPlayers::ComputerPlayers(QObject *parent) : QObject(parent) {}

ComputerPlayers::~ComputerPlayers()
{
    for (Player &player : players) {
        if (player.process->state() != QProcess::NotRunning) {
            player.process->kill();
            player.process->waitForFinished(2000);
        }
    }
}

QString ComputerPlayers::program()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/kalvex-bot");
    if (QFileInfo(beside).isExecutable())
        return beside;
#ifdef KALVEX_BOT_PROGRAM
    return QStringLiteral(KALVEX_BOT_PROGRAM);
#else
    return beside;
#endif
}

int ComputerPlayers::running() const
{
    return static_cast<int>(std::count_if(players.begin(), players.end(), [](const Player &p) {
        return p.process->state() != QProcess::NotRunning;
    }));
}

std::vector<std::string> ComputerPlayers::joiningNames(const Roster &roster)
{
    // A player counts as joining until its name shows on a seat.
    std::vector<std::string> names;
    for (Player &player : players) {
        const std::string name = player.name.toStdString();
        for (int slot = 1; slot <= kMaxPlayers && !player.seated; ++slot)
            player.seated = roster.seat(slot)->name == name;
        if (!player.seated && player.process->state() != QProcess::NotRunning)
            names.push_back(name);
    }
    return names;
}

bool ComputerPlayers::canAdd(const ClientSession &session) const
{
    if (!session.hosting() || !session.loggedin())
        return false;
    int joining = 0;
    for (const Player &player : players)
        joining += !player.seated && player.process->state() != QProcess::NotRunning;
    return seatsTaken(session.roster()) + joining < kMaxPlayers;
}

QString ComputerPlayers::add(const Roster &roster, quint16 port)
{
    // Players that ended are forgotten.
    std::erase_if(players,
                  [](const Player &p) { return p.process->state() == QProcess::NotRunning; });
    const QString name = QString::fromStdString(nextComputerName(roster, joiningNames(roster)));
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KALVEX_PORT"), QString::number(port));
    process->setProcessEnvironment(env);
    process->setProgram(program());
    process->setArguments(
        {name, QStringLiteral("127.0.0.1"), QStringLiteral("--level"),
         QString::fromUtf8(levelText(chosen).data(), static_cast<int>(levelText(chosen).size()))});
    process->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    QProcess *started = process.get();
    connect(started, &QProcess::finished, this, [this, started, name](int code) {
        if (code != 0)
            emit failed(name, QString::fromLocal8Bit(started->readAllStandardError()).trimmed());
    });
    process->start();
    if (!process->waitForStarted(5000)) {
        emit failed(name, process->errorString());
        return {};
    }
    players.push_back({name, std::move(process), false});
    return name;
}

} // namespace kalvex::bot
