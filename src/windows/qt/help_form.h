#pragma once
// Thelp: seven help pages chosen with the buttons on the left.
//
// Wiring (main window): Help menu "Content" (F1) shows it: help->show();
//   connect(help, &Thelp::aboutRequested, about, &QWidget::show);

#include "windows/qt/secondary_window.h"

#include <QMap>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace kalvex {

class Desktop;

class Thelp : public SecondaryWindow
{
    Q_OBJECT

public:
    // desktop: where web links in the pages open (null: the system desktop).
    explicit Thelp(QWidget *mainWindow, const QPixmap &background = {}, Desktop *desktop = nullptr);

    // Shows page `number` (1..6 or 11) with the caption of its button.
    void showPage(int number);
    int currentPage() const { return page; }
    // The page's text as shipped, in the player's language when it is written
    // in it, or an empty text for an unknown number.
    static QString pageText(int number);

signals:
    void aboutRequested();

private:
    Desktop &desktop;
    QLabel *captionBar;
    QTextBrowser *text;
    QMap<int, QPushButton *> pageButtons;
    int page = 0;
};

} // namespace kalvex
