#include "lobby/qt/password_store.h"

#include <qt6keychain/keychain.h>

#include <QPointer>

namespace kalvex {

namespace {

const QString kService = QStringLiteral("kalvex-lobby");

PasswordStore::Outcome outcomeOf(QKeychain::Error error)
{
    switch (error) {
    case QKeychain::NoError:
        return PasswordStore::Outcome::Done;
    case QKeychain::EntryNotFound:
        return PasswordStore::Outcome::NotFound;
    case QKeychain::AccessDenied:
    case QKeychain::AccessDeniedByUser:
    case QKeychain::CouldNotDeleteEntry:
        return PasswordStore::Outcome::Refused;
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented:
    case QKeychain::OtherError:
        break;
    }
    return PasswordStore::Outcome::Unavailable;
}

class KeychainPasswordStore final : public PasswordStore
{
public:
    using PasswordStore::PasswordStore;

    void read(const QString &account, Answer answer) override
    {
        auto *job = new QKeychain::ReadPasswordJob(kService, this);
        job->setKey(account);
        run(
            job,
            [job](QKeychain::Error error, const Answer &reply) {
                reply(outcomeOf(error), error == QKeychain::NoError ? job->textData() : QString());
            },
            std::move(answer));
    }

    void write(const QString &account, const QString &password, Answer answer) override
    {
        auto *job = new QKeychain::WritePasswordJob(kService, this);
        job->setKey(account);
        job->setTextData(password);
        run(job, plainReply, std::move(answer));
    }

    void remove(const QString &account, Answer answer) override
    {
        auto *job = new QKeychain::DeletePasswordJob(kService, this);
        job->setKey(account);
        run(job, plainReply, std::move(answer));
    }

private:
    using Reply = std::function<void(QKeychain::Error, const Answer &)>;

    static void plainReply(QKeychain::Error error, const Answer &reply)
    {
        reply(outcomeOf(error), QString());
    }

    // Never a plain-text file behind the player's back: without a secret
    // store the job fails, and the lobby says so.
    void run(QKeychain::Job *job, Reply reply, Answer answer)
    {
        job->setAutoDelete(true);
        job->setInsecureFallback(false);
        connect(job, &QKeychain::Job::finished, this,
                [reply = std::move(reply), answer = std::move(answer)](QKeychain::Job *done) {
                    reply(done->error(), answer);
                });
        job->start();
    }
};

} // namespace

std::unique_ptr<PasswordStore> makeDesktopPasswordStore(QObject *parent)
{
    return std::make_unique<KeychainPasswordStore>(parent);
}

} // namespace kalvex
