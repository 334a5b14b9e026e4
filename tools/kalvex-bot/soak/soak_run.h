#pragma once
// A soak run: the real main window hosts game after game, and plays them,
// against computer players started as programs of their own; it checks
// that every game ends with a winner, that nobody drops out and no error is
// shown, and prints its figures.

#include <QProcess>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace kalvex::bot {

struct SoakOptions
{
    int games = 20;
    int bots = 9;
    int rounds = 1;
    int thinkMs = 300;
    QString botProgram;
};

class SoakRun
{
public:
    explicit SoakRun(SoakOptions options);
    ~SoakRun();
    // 0 when every check held.
    int run();

private:
    bool waitFor(const std::function<bool()> &condition, int timeoutMs);
    void fail(const QString &why);

    SoakOptions options;
    std::vector<std::unique_ptr<QProcess>> bots;
    int failures = 0;
    // Printed every ten seconds of a long wait.
    std::function<QString()> progress;
};

} // namespace kalvex::bot
