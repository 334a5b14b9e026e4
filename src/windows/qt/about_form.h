#pragma once
// Tabout: the logo, the maker's web address, the credits and the version.
//
// Wiring (main window): Help menu "About" and the help window's "About"
// button show it: about->show().

#include "windows/qt/secondary_window.h"

class QLabel;

namespace kalvex {

class Desktop;

// The maker's web address as shown; "http://" is put in front to open it.
inline constexpr char kMakerWebAddress[] = "www.orbo77.com";

class Tabout : public SecondaryWindow
{
    Q_OBJECT

public:
    // desktop: where the web address is opened (null: the system desktop).
    explicit Tabout(QWidget *mainWindow, const QPixmap &background = {},
                    Desktop *desktop = nullptr);

    // The version that the login exchange compares: "1.0.5".
    static QString versionText();
    // Asks the browser for the maker's web page; "Cannot open Webpage" when
    // that fails.
    void openWebPage();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Desktop &desktop;
    QLabel *logo;
    QLabel *webLine;
};

} // namespace kalvex
