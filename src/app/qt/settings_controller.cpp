#include "app/qt/settings_controller.h"

#include "app/qt/app_log.h"
#include "app/qt/file_places.h"
#include "app/qt/sound_menu.h"
#include "app/sound_cues.h"
#include "chat/qt/chat_controls.h"
#include "chat/qt/transcript_pane.h"
#include "client/qt/board_panel.h"
#include "windows/qt/gamestart_form.h"

#include <QAction>

#include <filesystem>

namespace kalvex {

SettingsController::SettingsController(Parts given)
    : parts(std::move(given)), file(std::filesystem::path(programDirectory().toStdString()))
{}

Settings SettingsController::gather(std::optional<QRect> closingBounds) const
{
    Settings values;
    values.textsize = parts.transcript.textSize();
    const QRect bounds = closingBounds.value_or(parts.bounds());
    values.top = bounds.top();
    values.left = bounds.left();
    values.width = bounds.width();
    values.height = bounds.height();
    const ChatComposer &chat = parts.chat.composer();
    values.textcolor = chat.textColour();
    if (gamestart) {
        values.playtoscore = gamestart->rounds();
        values.timeperturn = gamestart->roundSeconds();
        values.bonus = gamestart->bonus() == 1;
        values.six = gamestart->six() == 1;
    }
    for (int n = 1; n <= static_cast<int>(values.phrases.size()); ++n)
        values.phrases[n - 1] = chat.phrase(n);
    values.playsounds = parts.cues.playSounds();
    values.turnsound = parts.cues.turnSound();
    values.chattersounds = parts.cues.chatterSounds();
    values.ballnumbers = parts.board.ballNumbersShown();
    return values;
}

void SettingsController::load()
{
    Settings values = gather();
    file.loadinifile(values);
    parts.transcript.applyTextSize(values.textsize);
    const QRect bounds(values.left, values.top, values.width, values.height);
    parts.place(bounds);
    parts.chat.setTextColour(values.textcolor);
    if (gamestart) {
        gamestart->setRounds(values.playtoscore);
        gamestart->setRoundSeconds(values.timeperturn);
        gamestart->setBonus(values.bonus ? 1 : 0);
        gamestart->setSix(values.six ? 1 : 0);
    }
    for (int n = 1; n <= static_cast<int>(values.phrases.size()); ++n)
        parts.chat.setPhrase(n, values.phrases[n - 1]);
    parts.cues.setPlaySounds(values.playsounds);
    parts.cues.setTurnSound(values.turnsound);
    parts.cues.setChatterSounds(values.chattersounds);
    parts.soundMenu.showSwitches();
    parts.board.setShowBallNumbers(values.ballnumbers);
    parts.ballNumbersItem.setChecked(values.ballnumbers);
}

void SettingsController::save(const SettingKeys &changed, std::optional<QRect> closingBounds)
{
    std::string error;
    if (!file.saveinifile(gather(closingBounds), changed, &error))
        qCWarning(lcApp) << "settings not saved:" << QString::fromStdString(error);
}

void SettingsController::savePhrases(const Phrases &before)
{
    const Settings values = gather();
    std::string error;
    if (!file.savephrases(values, changedPhrases(before, values.phrases), &error))
        qCWarning(lcApp) << "phrases not saved:" << QString::fromStdString(error);
}

} // namespace kalvex
