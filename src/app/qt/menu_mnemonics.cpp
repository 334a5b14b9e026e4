#include "app/qt/menu_mnemonics.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QMenuBar>

namespace kalvex {

namespace {

// Caption -> the same caption with "&" before its access key. Keys are unique
// within each menu: File, Options, View and Help on the bar as desktop
// programs have them, the first letter of an entry where it is free.
const QHash<QString, QString> &markedCaptions()
{
    static const QHash<QString, QString> captions{
        {QStringLiteral("File"), QStringLiteral("&File")},
        {QStringLiteral("Start Game"), QStringLiteral("&Start Game")},
        {QStringLiteral("Add Computer Player"), QStringLiteral("&Add Computer Player")},
        {QStringLiteral("Computer Level"), QStringLiteral("Computer &Level")},
        {QStringLiteral("Easy"), QStringLiteral("&Easy")},
        {QStringLiteral("Normal"), QStringLiteral("&Normal")},
        {QStringLiteral("Expert"), QStringLiteral("E&xpert")},
        {QStringLiteral("Exit"), QStringLiteral("E&xit")},
        {QStringLiteral("Options"), QStringLiteral("&Options")},
        {QStringLiteral("Play Sounds"), QStringLiteral("Play &Sounds")},
        {QStringLiteral("Play Chatter Sounds"), QStringLiteral("Play C&hatter Sounds")},
        {QStringLiteral("Turn Sound"), QStringLiteral("&Turn Sound")},
        {QStringLiteral("Classic"), QStringLiteral("&Classic")},
        {QStringLiteral("New"), QStringLiteral("&New")},
        {QStringLiteral("Text Color"), QStringLiteral("Text &Color")},
        {QStringLiteral("Text Size"), QStringLiteral("Text Si&ze")},
        {QStringLiteral("Scroll Chat Off"), QStringLiteral("Scroll Chat O&ff")},
        {QStringLiteral("Clear Main Chat"), QStringLiteral("Clear &Main Chat")},
        {QStringLiteral("Reset Screen Location"), QStringLiteral("&Reset Screen Location")},
        {QStringLiteral("Show Ball Numbers"), QStringLiteral("Show &Ball Numbers")},
        {QStringLiteral("Just Watch"), QStringLiteral("&Just Watch")},
        {QStringLiteral("View"), QStringLiteral("&View")},
        {QStringLiteral("View Tally"), QStringLiteral("View &Tally")},
        {QStringLiteral("Spy List"), QStringLiteral("&Spy List")},
        {QStringLiteral("Phrase List"), QStringLiteral("&Phrase List")},
        {QStringLiteral("View Quick Instructions"), QStringLiteral("View &Quick Instructions")},
        {QStringLiteral("Help"), QStringLiteral("&Help")},
        {QStringLiteral("Content"), QStringLiteral("&Content")},
        {QStringLiteral("About"), QStringLiteral("&About")},
    };
    return captions;
}

void mark(QAction *action)
{
    const auto marked = markedCaptions().constFind(action->text());
    if (marked != markedCaptions().constEnd())
        action->setText(*marked);
    if (QMenu *submenu = action->menu()) {
        for (QAction *entry : submenu->actions())
            mark(entry);
    }
}

} // namespace

void giveMnemonics(QMenuBar *bar)
{
    for (QAction *menu : bar->actions())
        mark(menu);
}

} // namespace kalvex
