#pragma once
// A computer player started as a program of its own, ended by the destructor.

#include "free_port.h"

#include <QProcess>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace kalvex::testing {

class BotProcess
{
public:
    BotProcess(quint16 port, const QString &name, const QString &level, int seed)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KALVEX_PORT", QString::number(port));
        env.remove("KALVEX_BOT_THINK_MS");
        process.setProcessEnvironment(env);
        process.setProgram(KALVEX_BINARY_DIR "/tools/kalvex-bot/kalvex-bot");
        process.setArguments({name, "127.0.0.1", "--level", level, "--games", "1", "--think-ms",
                              "0", "--seed", QString::number(seed), "--verbose"});
        process.start();
        EXPECT_TRUE(process.waitForStarted(10000));
    }
    ~BotProcess()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    // The lines the player printed: "[NAME] round 2: found the code on row 4",
    // "[NAME] game 1 won by ...".
    std::vector<std::string> reports()
    {
        output += process.readAllStandardOutput().toStdString();
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = output.find('\n', start)) != std::string::npos;
             start = end + 1)
            lines.push_back(output.substr(start, end - start));
        return lines;
    }

    // The row on which the player found the code, by round.
    std::map<int, int> solvedRows()
    {
        std::map<int, int> rows;
        for (const std::string &line : reports()) {
            int round = 0;
            int row = 0;
            if (std::sscanf(line.c_str(), "%*[^]] ] round %d: found the code on row %d", &round,
                            &row) == 2)
                rows[round] = row;
        }
        return rows;
    }

    // What the player logged (its transcript and notices), for failure messages.
    std::string log() { return process.readAllStandardError().toStdString(); }

    QProcess process;
    std::string output;
};

using test::freePort;

} // namespace kalvex::testing
