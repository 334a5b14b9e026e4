#include "app/qt/sound_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace kalvex {

namespace {

QAction *checkable(QMenu *menu, const QString &text, const QString &objectName)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(objectName);
    action->setCheckable(true);
    return action;
}

} // namespace

SoundMenu::SoundMenu(SoundCues &cues, QMenu *options) : QObject(options), cues(cues)
{
    playSounds = checkable(options, tr("Play &Sounds"), QStringLiteral("action_playsounds"));
    chatterSounds =
        checkable(options, tr("Play C&hatter Sounds"), QStringLiteral("action_chattersounds"));
    turnMenu = options->addMenu(tr("&Turn Sound"));
    turnMenu->setObjectName(QStringLiteral("menu_turnsound"));
    classic = checkable(turnMenu, tr("&Classic"), QStringLiteral("action_turnclassic"));
    newTurn = checkable(turnMenu, tr("&New"), QStringLiteral("action_turnnew"));
    auto *group = new QActionGroup(this);
    group->setExclusive(true);
    group->addAction(classic);
    group->addAction(newTurn);

    connect(playSounds, &QAction::triggered, this, [this](bool on) {
        this->cues.setPlaySounds(on);
        emit switchChanged(SettingKey::Playsounds);
    });
    connect(chatterSounds, &QAction::triggered, this, [this](bool on) {
        this->cues.setChatterSounds(on);
        emit switchChanged(SettingKey::ChatterSounds);
    });
    connect(classic, &QAction::triggered, this, [this] { chooseTurnSound(TurnSound::Classic); });
    connect(newTurn, &QAction::triggered, this, [this] { chooseTurnSound(TurnSound::New); });
    showSwitches();
}

void SoundMenu::showSwitches()
{
    playSounds->setChecked(cues.playSounds());
    chatterSounds->setChecked(cues.chatterSounds());
    classic->setChecked(cues.turnSound() == TurnSound::Classic);
    newTurn->setChecked(cues.turnSound() == TurnSound::New);
}

void SoundMenu::chooseTurnSound(TurnSound choice)
{
    cues.setTurnSound(choice);
    showSwitches();
    emit switchChanged(SettingKey::Turnsound);
}

} // namespace kalvex
