// kalvex-bot NAME HOST [--level easy|normal|expert] [--games N] [--think-ms MS]
//            [--seed S] [--verbose]
//
// A computer player: joins the game hosted on HOST (port KALVEX_PORT, or
// 7772), plays every round it is offered and leaves when the connection
// closes or after N games. KALVEX_BOT_THINK_MS sets the thinking time when
// --think-ms is not given.

#include "bot/qt/bot_connection.h"

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>

using namespace kalvex::bot;

namespace {

constexpr int kExitUsage = 2;
// Lets the last words leave before the program ends.
constexpr int kQuitDelayMs = 300;

int usage(const char *problem)
{
    std::fprintf(stderr,
                 "%s\nusage: kalvex-bot NAME HOST [--level easy|normal|expert] [--games N]"
                 " [--think-ms MS] [--seed S] [--verbose]\n",
                 problem);
    return kExitUsage;
}

std::optional<int> number(const char *text, int lowest)
{
    char *end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < lowest || value > 1000000000)
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    BotOptions options;
    options.seed =
        static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    QString host;
    bool verbose = false;
    int positional = 0;
    if (const char *think = std::getenv("KALVEX_BOT_THINK_MS")) {
        if (auto value = number(think, 0))
            options.thinkMs = *value;
    }
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--level" && hasValue) {
            const auto level = levelFromText(argv[++i]);
            if (!level)
                return usage("the level is easy, normal or expert");
            options.level = *level;
        } else if (arg == "--games" && hasValue) {
            const auto games = number(argv[++i], 1);
            if (!games)
                return usage("--games needs a number of at least 1");
            options.games = *games;
        } else if (arg == "--think-ms" && hasValue) {
            const auto ms = number(argv[++i], 0);
            if (!ms)
                return usage("--think-ms needs a number of milliseconds");
            options.thinkMs = *ms;
        } else if (arg == "--seed" && hasValue) {
            const auto seed = number(argv[++i], 0);
            if (!seed)
                return usage("--seed needs a number");
            options.seed = static_cast<std::uint32_t>(*seed);
        } else if (arg == "--verbose") {
            verbose = true;
        } else if (arg.starts_with("--")) {
            return usage(("unknown option " + arg).c_str());
        } else if (positional == 0) {
            options.name = arg;
            ++positional;
        } else if (positional == 1) {
            host = QString::fromLocal8Bit(argv[i]);
            ++positional;
        } else {
            return usage("too many arguments");
        }
    }
    if (positional != 2 || options.name.empty())
        return usage("a name and a host are needed");
    // The name travels as an open field: it cannot hold the terminator or a line break.
    if (options.name.find_first_of("\xFF\r\n") != std::string::npos)
        return usage("the name cannot hold line breaks");

    QString port = qEnvironmentVariable("KALVEX_PORT");
    if (port.isEmpty())
        port = QStringLiteral("7772");

    BotConnection connection(options, host, port, verbose);
    int exitCode = 0;
    QObject::connect(&connection, &BotConnection::finished, &app, [&](int code) {
        exitCode = code;
        QTimer::singleShot(kQuitDelayMs, &app, &QCoreApplication::quit);
    });
    QTimer::singleShot(0, &connection, &BotConnection::start);
    app.exec();
    return exitCode;
}
