#include "windows/qt/spylist_form.h"

#include "net/qt/display_text.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace kalvex {

Tspylist::Tspylist(QWidget *mainWindow, const QPixmap &background)
    : SecondaryWindow(mainWindow, background, Qt::white,
                      Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(tr("Kalvex - Spys"));
    setObjectName(QStringLiteral("Tspylist"));

    auto *panel = new WhitePanel(this);
    auto *title = new QLabel(tr("Spy List"), panel);
    title->setObjectName(QStringLiteral("label_spylist"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    title->setFont(bold);

    list = new QListWidget(panel);
    list->setObjectName(QStringLiteral("list_spys"));
    list->setFixedSize(220, 200);
    list->setMouseTracking(true);
    list->viewport()->setMouseTracking(true);
    list->viewport()->installEventFilter(this);

    menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("popup_spys"));
    removeAction = menu->addAction(tr("Remove From Game"));
    removeAction->setObjectName(QStringLiteral("menu_removefromgame"));
    removeAction->setEnabled(false);
    connect(removeAction, &QAction::triggered, this, &Tspylist::removeFromGame);

    auto *doneButton = new QPushButton(tr("Done"), panel);
    doneButton->setObjectName(QStringLiteral("button_done"));
    doneButton->setDefault(true);
    connect(doneButton, &QPushButton::clicked, this, &QDialog::close);

    auto *inner = new QVBoxLayout(panel);
    inner->setContentsMargins(12, 10, 12, 12);
    inner->addWidget(title);
    inner->addWidget(list);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(doneButton);
    inner->addLayout(bottom);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(panel);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::string Tspylist::addentry(int slot, std::string_view name, int myslot)
{
    std::string line = roster.add(slot, name, myslot);
    list->addItem(displayText(roster.entries().back()));
    return line;
}

std::optional<std::string> Tspylist::removeentry(int slot, std::string_view name)
{
    const auto &entries = roster.entries();
    const std::string text = SpyRoster::entryText(slot, name);
    const auto index = std::find(entries.begin(), entries.end(), text) - entries.begin();
    auto line = roster.remove(slot, name);
    if (line) {
        delete list->takeItem(static_cast<int>(index));
        if (pointed >= list->count())
            pointed = -1;
    }
    return line;
}

void Tspylist::setHosting(bool hosting)
{
    removeAction->setEnabled(hosting);
}

void Tspylist::removeFromGame()
{
    if (pointed < 0 || pointed >= static_cast<int>(roster.entries().size()))
        return;
    if (const auto slot = SpyRoster::slotOfEntry(roster.entries()[pointed]))
        emit kickRequested(*slot);
}

void Tspylist::updatePointed(const QPoint &viewportPos)
{
    const QModelIndex index = list->indexAt(viewportPos);
    pointed = index.isValid() ? index.row() : -1;
}

bool Tspylist::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            updatePointed(static_cast<QMouseEvent *>(event)->position().toPoint());
        } else if (event->type() == QEvent::ContextMenu) {
            auto *menuEvent = static_cast<QContextMenuEvent *>(event);
            if (menuEvent->reason() == QContextMenuEvent::Mouse)
                updatePointed(menuEvent->pos());
            menu->popup(menuEvent->globalPos());
            return true;
        }
    }
    return SecondaryWindow::eventFilter(watched, event);
}

} // namespace kalvex
