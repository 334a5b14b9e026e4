#pragma once
// TestRouter: miniupnpd as a home router inside the test's own network
// namespace: a veth pair whose one end is its internet side and whose other
// end is the home network this machine sits on.

#include <QProcess>
#include <QString>

#include <memory>

namespace kalvex::test {

class TempDir;

class TestRouter
{
public:
    // Router `index` (0 or 1) gets the home network 192.168.(77+index).0/24
    // and `internetAddress` on its internet side.
    TestRouter(int index, const QString &internetAddress);
    ~TestRouter();

    // Empty when the router answers; else what went wrong.
    const QString &failure() const { return problem; }
    QString descriptionUrl() const;
    QString homeAddress() const;

    // Why routers cannot run here at all (a tool missing, no namespace), or
    // empty.
    static QString unavailableReason();

private:
    bool prepareNetwork();
    bool waitUntilAnswering();

    const int index;
    const QString internetAddress;
    std::unique_ptr<TempDir> dir;
    QProcess daemon;
    QString problem;
};

} // namespace kalvex::test
