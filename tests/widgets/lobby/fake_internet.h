#pragma once
// Stand-ins for the internet room, the router and the password store: they
// record what the lobby asks of them, and the test answers in their name.

#include "lobby/qt/game_room.h"
#include "lobby/qt/lobby_window.h"
#include "lobby/qt/password_store.h"
#include "lobby/qt/port_mapper.h"

#include <QMap>
#include <QMetaObject>

#include <memory>
#include <vector>

namespace kalvex::test {

// What the stand-ins were asked; shared with the test, so that it outlives
// the window that owns them.
struct InternetRecord
{
    std::vector<RoomAccount> entered;
    int leaves = 0;
    QStringList said;
    std::vector<std::optional<GameAdvert>> adverts;
    std::vector<quint16> requests;
    int releases = 0;
    // The password store: absent (no secret service) or its contents.
    bool storeAvailable = true;
    QMap<QString, QString> stored;
    // The stand-ins of the window alive now, for the test to answer through.
    GameRoom *room = nullptr;
    PortMapper *mapper = nullptr;
};

class FakeGameRoom final : public GameRoom
{
public:
    explicit FakeGameRoom(std::shared_ptr<InternetRecord> record) : record(std::move(record))
    {
        this->record->room = this;
    }
    void enter(const RoomAccount &account) override { record->entered.push_back(account); }
    void leave() override { ++record->leaves; }
    void say(const QString &text) override { record->said << text; }
    void advertise(const std::optional<GameAdvert> &advert) override
    {
        record->adverts.push_back(advert);
    }

private:
    std::shared_ptr<InternetRecord> record;
};

class FakePortMapper final : public PortMapper
{
public:
    explicit FakePortMapper(std::shared_ptr<InternetRecord> record) : record(std::move(record))
    {
        this->record->mapper = this;
    }
    void request(quint16 port) override { record->requests.push_back(port); }
    void release() override { ++record->releases; }

private:
    std::shared_ptr<InternetRecord> record;
};

// Answers later, as the desktop's store does.
class FakePasswordStore final : public PasswordStore
{
public:
    explicit FakePasswordStore(std::shared_ptr<InternetRecord> record) : record(std::move(record))
    {}
    void read(const QString &account, Answer answer) override
    {
        later(answer, [this, account]() -> std::pair<Outcome, QString> {
            if (!record->stored.contains(account))
                return {Outcome::NotFound, {}};
            return {Outcome::Done, record->stored.value(account)};
        });
    }
    void write(const QString &account, const QString &password, Answer answer) override
    {
        later(answer, [this, account, password]() -> std::pair<Outcome, QString> {
            record->stored.insert(account, password);
            return {Outcome::Done, {}};
        });
    }
    void remove(const QString &account, Answer answer) override
    {
        later(answer, [this, account]() -> std::pair<Outcome, QString> {
            return {record->stored.remove(account) > 0 ? Outcome::Done : Outcome::NotFound, {}};
        });
    }

private:
    template <typename Work> void later(Answer answer, Work work)
    {
        QMetaObject::invokeMethod(
            this,
            [this, answer, work] {
                if (!record->storeAvailable) {
                    answer(Outcome::Unavailable, {});
                    return;
                }
                const auto [outcome, password] = work();
                answer(outcome, password);
            },
            Qt::QueuedConnection);
    }

    std::shared_ptr<InternetRecord> record;
};

inline InternetServices fakeInternet(const std::shared_ptr<InternetRecord> &record)
{
    return {std::make_unique<FakeGameRoom>(record), std::make_unique<FakePortMapper>(record),
            std::make_unique<FakePasswordStore>(record)};
}

} // namespace kalvex::test
