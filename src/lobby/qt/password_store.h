#pragma once
// PasswordStore: keeps the chat account's password in the desktop's secret
// store (the keyring), when the desktop has one. Every answer comes later,
// through the callback; a store that is missing answers Unavailable.

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace kalvex {

class PasswordStore : public QObject
{
    Q_OBJECT

public:
    enum class Outcome
    {
        Done,        // stored, removed, or read (the password is given)
        NotFound,    // nothing stored for the account
        Unavailable, // the desktop has no secret store
        Refused,     // the store is there but said no (locked, denied)
    };
    using Answer = std::function<void(Outcome, const QString &password)>;

    using QObject::QObject;
    ~PasswordStore() override = default;

    virtual void read(const QString &account, Answer answer) = 0;
    virtual void write(const QString &account, const QString &password, Answer answer) = 0;
    virtual void remove(const QString &account, Answer answer) = 0;
};

// The desktop's secret store (Secret Service, KWallet) through QtKeychain.
std::unique_ptr<PasswordStore> makeDesktopPasswordStore(QObject *parent = nullptr);

} // namespace kalvex
