#pragma once
// Base of the program's secondary windows: painted with the main window's
// tiled background (or a plain colour until one is given) and centred on
// the main window each time it is shown.

#include <QColor>
#include <QDialog>
#include <QPixmap>
#include <QPointer>

namespace kalvex {

class SecondaryWindow : public QDialog
{
    Q_OBJECT

public:
    // mainWindow may be null (the window is then centred on the screen); it
    // becomes the parent, so the window stays above it and dies with it.
    SecondaryWindow(QWidget *mainWindow, const QPixmap &background, const QColor &colour,
                    Qt::WindowFlags flags = {});

    void setBackground(const QPixmap &background);
    const QPixmap &background() const { return tile; }
    // Centre on the screen instead of on the main window.
    void setCentredOnScreen(bool onScreen) { centreOnScreen = onScreen; }

    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void centre();

    QPointer<QWidget> mainWindow;
    QPixmap tile;
    QColor fill;
    bool centreOnScreen = false;
};

// A white rounded panel laid over the tiled background.
class WhitePanel : public QWidget
{
    Q_OBJECT

public:
    explicit WhitePanel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace kalvex
