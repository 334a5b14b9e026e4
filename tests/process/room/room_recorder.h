#pragma once
// Records what a GameRoom tells, and waits for it on the event loop.

#include "lobby/qt/game_room.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTest>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace kalvex::testing {

inline constexpr int kRoomWaitMs = 10000;

struct RoomRecorder
{
    struct Failure
    {
        QString reason;
        int retryInSeconds = 0;
    };
    struct Line
    {
        QString nickname;
        QString text;
    };

    explicit RoomRecorder(GameRoom &room)
    {
        QObject::connect(&room, &GameRoom::entered,
                         [this](const QString &nickname) { enteredAs.push_back(nickname); });
        QObject::connect(&room, &GameRoom::left, [this] { ++leftCount; });
        QObject::connect(&room, &GameRoom::occupantChanged,
                         [this](const QString &nickname, const std::optional<GameAdvert> &advert) {
                             occupants[nickname] = advert;
                             ++occupantChanges;
                         });
        QObject::connect(&room, &GameRoom::occupantLeft, [this](const QString &nickname) {
            occupants.erase(nickname);
            gone.push_back(nickname);
        });
        QObject::connect(&room, &GameRoom::chatReceived,
                         [this](const QString &nickname, const QString &text) {
                             lines.push_back({nickname, text});
                         });
        QObject::connect(&room, &GameRoom::nicknameTaken,
                         [this](const QString &suggestion) { suggestions.push_back(suggestion); });
        QObject::connect(&room, &GameRoom::failed, [this](const QString &reason, int seconds) {
            failures.push_back({reason, seconds});
        });
    }

    static bool waitFor(const std::function<bool()> &condition, int timeoutMs = kRoomWaitMs)
    {
        return QTest::qWaitFor(condition, timeoutMs);
    }

    // The first failure, once it came; nothing when none came in time.
    std::optional<Failure> firstFailure(int timeoutMs = kRoomWaitMs) const
    {
        if (!waitFor([this] { return !failures.empty(); }, timeoutMs))
            return std::nullopt;
        return failures.front();
    }

    bool present(const QString &nickname) const { return occupants.count(nickname) > 0; }
    std::optional<GameAdvert> advertOf(const QString &nickname) const
    {
        const auto found = occupants.find(nickname);
        return found == occupants.end() ? std::nullopt : found->second;
    }
    bool heard(const QString &nickname, const QString &text) const
    {
        for (const Line &line : lines) {
            if (line.nickname == nickname && line.text == text)
                return true;
        }
        return false;
    }
    QString failureText() const
    {
        QStringList texts;
        for (const Failure &failure : failures)
            texts << failure.reason;
        return texts.join(QLatin1String(" | "));
    }

    std::vector<QString> enteredAs;
    int leftCount = 0;
    std::map<QString, std::optional<GameAdvert>> occupants;
    int occupantChanges = 0;
    std::vector<QString> gone;
    std::vector<Line> lines;
    std::vector<QString> suggestions;
    std::vector<Failure> failures;
};

} // namespace kalvex::testing
