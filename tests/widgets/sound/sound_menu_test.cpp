#include "app/qt/sound_menu.h"

#include "app/settings.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using namespace kalvex;

namespace {

class RecordingBackend : public SoundBackend
{
public:
    void play(std::string_view name) override { played.emplace_back(name); }
    std::vector<std::string> played;
};

class SoundMenuTest : public testing::Test
{
protected:
    RecordingBackend backend;
    SoundCues cues{backend};
    QMenu options;
    SoundMenu menu{cues, &options};
    QSignalSpy changes{&menu, &SoundMenu::switchChanged};

    SettingKey lastChange() const { return changes.last().at(0).value<SettingKey>(); }
};

} // namespace

TEST_F(SoundMenuTest, OffersTheSwitchesInOrderWithTheirDefaults)
{
    const QList<QAction *> entries = options.actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0]->text(), "Play &Sounds");
    EXPECT_EQ(entries[1]->text(), "Play C&hatter Sounds");
    EXPECT_EQ(entries[2]->text(), "&Turn Sound");
    EXPECT_EQ(entries[2]->menu(), menu.turnSoundMenu());
    const QList<QAction *> turn = menu.turnSoundMenu()->actions();
    ASSERT_EQ(turn.size(), 2);
    EXPECT_EQ(turn[0]->text(), "&Classic");
    EXPECT_EQ(turn[1]->text(), "&New");

    EXPECT_TRUE(menu.playSoundsAction()->isChecked());
    EXPECT_TRUE(menu.chatterSoundsAction()->isChecked());
    EXPECT_TRUE(menu.classicAction()->isChecked());
    EXPECT_FALSE(menu.newAction()->isChecked());
}

TEST_F(SoundMenuTest, AClickInvertsASwitchAndReportsIt)
{
    menu.playSoundsAction()->trigger();
    EXPECT_FALSE(cues.playSounds());
    EXPECT_FALSE(menu.playSoundsAction()->isChecked());
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(lastChange(), SettingKey::Playsounds);

    menu.chatterSoundsAction()->trigger();
    EXPECT_FALSE(cues.chatterSounds());
    EXPECT_EQ(lastChange(), SettingKey::ChatterSounds);

    menu.playSoundsAction()->trigger();
    EXPECT_TRUE(cues.playSounds());
    EXPECT_EQ(changes.size(), 3);
}

TEST_F(SoundMenuTest, TheTurnSoundChoiceMarksOneEntryAndPicksTheCue)
{
    menu.newAction()->trigger();
    EXPECT_TRUE(menu.newAction()->isChecked());
    EXPECT_FALSE(menu.classicAction()->isChecked());
    EXPECT_EQ(lastChange(), SettingKey::Turnsound);
    cues.playsounds(Cue::Turn);

    menu.classicAction()->trigger();
    EXPECT_TRUE(menu.classicAction()->isChecked());
    EXPECT_FALSE(menu.newAction()->isChecked());
    cues.playsounds(Cue::Turn);
    EXPECT_EQ(backend.played, (std::vector<std::string>{"turnnew", "turn"}));
}

TEST_F(SoundMenuTest, ShowingAppliedSettingsMarksTheEntriesWithoutReporting)
{
    Settings stored;
    stored.playsounds = false;
    stored.chattersounds = false;
    stored.turnsound = TurnSound::New;
    applySoundSwitches(stored, cues);
    menu.showSwitches();
    EXPECT_FALSE(menu.playSoundsAction()->isChecked());
    EXPECT_FALSE(menu.chatterSoundsAction()->isChecked());
    EXPECT_TRUE(menu.newAction()->isChecked());
    EXPECT_FALSE(menu.classicAction()->isChecked());
    EXPECT_EQ(changes.size(), 0);
}

// The main window's wiring: each reported change is saved at once.
TEST_F(SoundMenuTest, ChoosingNewStoresTurnsoundOne)
{
    QTemporaryDir dir;
    SettingsFile file(dir.path().toStdString());
    Settings values;
    file.loadinifile(values);
    applySoundSwitches(values, cues);
    QObject::connect(&menu, &SoundMenu::switchChanged, [&](SettingKey key) {
        readSoundSwitches(cues, values);
        file.saveinifile(values, {key});
    });

    menu.newAction()->trigger();
    menu.chatterSoundsAction()->trigger();

    const ProfileFile stored = ProfileFile::load(file.path());
    EXPECT_EQ(stored.read("kalvex", "Turnsound"), "1");
    EXPECT_EQ(stored.read("kalvex", "ChatterSounds"), "false");
    EXPECT_EQ(stored.read("kalvex", "Playsounds"), "true");
}
