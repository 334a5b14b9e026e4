#include "windows/qt/secondary_window.h"

#include <QGuiApplication>
#include <QLayout>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace kalvex {

SecondaryWindow::SecondaryWindow(QWidget *mainWindow, const QPixmap &background,
                                 const QColor &colour, Qt::WindowFlags flags)
    : QDialog(mainWindow, flags), mainWindow(mainWindow), tile(background), fill(colour)
{
    setSizeGripEnabled(false);
}

void SecondaryWindow::setBackground(const QPixmap &background)
{
    tile = background;
    update();
}

void SecondaryWindow::setVisible(bool visible)
{
    if (visible && !isVisible())
        centre();
    QDialog::setVisible(visible);
}

void SecondaryWindow::centre()
{
    ensurePolished();
    if (layout())
        layout()->activate();
    QRect area;
    if (!centreOnScreen && mainWindow && mainWindow->isVisible()) {
        area = mainWindow->frameGeometry();
    } else {
        QScreen *screen = mainWindow ? mainWindow->screen() : QGuiApplication::primaryScreen();
        if (screen)
            area = screen->availableGeometry();
    }
    if (area.isEmpty())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

void SecondaryWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (tile.isNull())
        painter.fillRect(rect(), fill);
    else
        painter.drawTiledPixmap(rect(), tile);
}

WhitePanel::WhitePanel(QWidget *parent) : QWidget(parent)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, QColor(24, 32, 48));
    setPalette(p);
}

void WhitePanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    QPainterPath path;
    path.addRoundedRect(box, 6, 6);
    painter.fillPath(path, Qt::white);
    painter.setPen(QPen(QColor(0, 0, 0, 60), 1));
    painter.drawPath(path);
}

} // namespace kalvex
