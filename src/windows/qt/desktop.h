#pragma once
// What the windows ask of the desktop: the browser, starting other programs,
// and message boxes. The program uses systemDesktop(); tests record instead.

#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

namespace kalvex {

class Desktop
{
public:
    virtual ~Desktop() = default;

    // Hands an http or https address to the browser. Any other address is
    // refused (false) without being opened: a window never hands a local file
    // or a program to the desktop's opener.
    virtual bool openWebAddress(const QUrl &url) = 0;
    // Starts a program detached from this one, with its arguments; false when
    // it cannot be run (missing, not executable, not a program for this system).
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;
    // A message box with the program's title and an OK button.
    virtual void showMessage(QWidget *parent, const QString &text) = 0;
    // The program's error box (the error reporter of the program).
    virtual void showError(QWidget *parent, const QString &text) = 0;
};

// True for an absolute http or https address with a host.
bool isWebAddress(const QUrl &url);

// The real desktop: QDesktopServices, QProcess::startDetached, QMessageBox,
// and the program's error reporter.
class SystemDesktop final : public Desktop
{
public:
    bool openWebAddress(const QUrl &url) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
    void showMessage(QWidget *parent, const QString &text) override;
    void showError(QWidget *parent, const QString &text) override;
};

// The process-wide SystemDesktop, used when a window is given none.
Desktop &systemDesktop();

} // namespace kalvex
