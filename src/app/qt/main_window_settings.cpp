// The main window's sounds and settings.

#include "app/qt/app_log.h"
#include "app/qt/file_places.h"
#include "app/qt/sound_menu.h"
#include "app/qt/sound_player.h"
#include "app/qt/main_window.h"
#include "app/settings.h"
#include "app/sound_cues.h"
#include "chat/qt/transcript_pane.h"
#include "client/qt/board_panel.h"
#include "windows/qt/gamestart_form.h"

#include <QMenu>

#include <filesystem>
#include <optional>

namespace kalvex {

class SoundGlue
{
public:
    SoundPlayer player;
    SoundCues cues{player};
    // Owned by the Options menu.
    SoundMenu *menu = nullptr;
};

class SettingsGlue
{
public:
    explicit SettingsGlue(MainWindow &window)
        : window(window), file(std::filesystem::path(programDirectory().toStdString()))
    {}

    // The values the program runs with now; the window's bounds unless
    // others are given (those it closes with).
    Settings gather(std::optional<QRect> closingBounds = std::nullopt) const
    {
        Settings values;
        values.textsize = window.pane->textSize();
        const QRect bounds = closingBounds.value_or(window.currentBounds());
        values.top = bounds.top();
        values.left = bounds.left();
        values.width = bounds.width();
        values.height = bounds.height();
        values.textcolor = window.textColourValue();
        if (window.windows.gamestart) {
            values.playtoscore = window.windows.gamestart->rounds();
            values.timeperturn = window.windows.gamestart->roundSeconds();
            values.bonus = window.windows.gamestart->bonus() == 1;
            values.six = window.windows.gamestart->six() == 1;
        }
        const auto texts = window.phraseTexts();
        for (std::size_t i = 0; i < values.phrases.size() && i < texts.size(); ++i)
            values.phrases[i] = texts[i];
        const SoundCues &cues = window.sounds->cues;
        values.playsounds = cues.playSounds();
        values.turnsound = cues.turnSound();
        values.chattersounds = cues.chatterSounds();
        values.ballnumbers = window.boardPanel->ballNumbersShown();
        return values;
    }

    void load()
    {
        Settings values = gather();
        file.loadinifile(values);
        window.pane->applyTextSize(values.textsize);
        const QRect bounds(values.left, values.top, values.width, values.height);
        window.savedbounds = bounds;
        window.applyBounds(bounds, false);
        window.setTextColourValue(values.textcolor);
        if (window.windows.gamestart) {
            window.windows.gamestart->setRounds(values.playtoscore);
            window.windows.gamestart->setRoundSeconds(values.timeperturn);
            window.windows.gamestart->setBonus(values.bonus ? 1 : 0);
            window.windows.gamestart->setSix(values.six ? 1 : 0);
        }
        for (int n = 1; n <= static_cast<int>(values.phrases.size()); ++n)
            window.setPhraseText(n, values.phrases[n - 1]);
        window.sounds->cues.setPlaySounds(values.playsounds);
        window.sounds->cues.setTurnSound(values.turnsound);
        window.sounds->cues.setChatterSounds(values.chattersounds);
        window.showSoundSwitches();
        window.boardPanel->setShowBallNumbers(values.ballnumbers);
        window.ballNumbersItem->setChecked(values.ballnumbers);
    }

    void save(const SettingKeys &changed, std::optional<QRect> closingBounds = std::nullopt)
    {
        std::string error;
        if (!file.saveinifile(gather(closingBounds), changed, &error))
            qCWarning(lcApp) << "settings not saved:" << QString::fromStdString(error);
    }

    void savePhrases(const Phrases &before)
    {
        const Settings values = gather();
        std::string error;
        if (!file.savephrases(values, changedPhrases(before, values.phrases), &error))
            qCWarning(lcApp) << "phrases not saved:" << QString::fromStdString(error);
    }

private:
    MainWindow &window;
    SettingsFile file;
};

void MainWindow::GlueDeleter::operator()(SoundGlue *glue) const
{
    delete glue;
}

void MainWindow::GlueDeleter::operator()(SettingsGlue *glue) const
{
    delete glue;
}

void MainWindow::createGlue()
{
    sounds.reset(new SoundGlue);
    settings.reset(new SettingsGlue(*this));
}

void MainWindow::buildSoundItems(QMenu *options)
{
    sounds->menu = new SoundMenu(sounds->cues, options);
    connect(sounds->menu, &SoundMenu::switchChanged, this,
            [this](SettingKey key) { settings->save({key}); });
}

void MainWindow::showSoundSwitches()
{
    sounds->menu->showSwitches();
}

void MainWindow::playsounds(Cue cue)
{
    sounds->cues.playsounds(cue);
}

bool MainWindow::chatterSoundsOn() const
{
    return sounds->cues.chatterSounds();
}

void MainWindow::playChatterSound(std::string_view name)
{
    sounds->cues.playChatter(name);
}

void MainWindow::loadinifile()
{
    settings->load();
}

void MainWindow::saveTextColour()
{
    settings->save({SettingKey::Textcolor});
}

void MainWindow::textSizeSaved()
{
    settings->save({SettingKey::Textsize});
}

void MainWindow::ballNumbersSaved()
{
    settings->save({SettingKey::Ballnumbers});
}

void MainWindow::gameOptionsSaved()
{
    settings->save(kGameOptionKeys);
}

void MainWindow::boundsSaved(const QRect &bounds, bool userMoved)
{
    settings->save(userMoved ? kWindowBoundsKeys : SettingKeys{}, bounds);
}

void MainWindow::phrasesSaved(const std::array<std::string, 9> &before)
{
    Phrases old;
    for (std::size_t i = 0; i < old.size() && i < before.size(); ++i)
        old[i] = before[i];
    settings->savePhrases(old);
}

} // namespace kalvex
