#include "app/settings.h"

#include "temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace kalvex;
using kalvex::test::TempDir;
using testing::HasSubstr;
using testing::Not;

namespace {

// Reads a section made of these lines into the given start values.
Settings readFrom(const std::string &lines, Settings values = Settings())
{
    readSettings(ProfileFile::parse("[kalvex]\r\n" + lines), values);
    return values;
}

const std::string kStored = "[orbo]\r\n"
                            "Nick=Ann\r\n"
                            "\r\n"
                            "[kalvex]\r\n"
                            "Textsize=14\r\n"
                            "Top=100\r\n"
                            "Left=200\r\n"
                            "Width=800\r\n"
                            "Height=600\r\n"
                            "Textcolor=clNavy\r\n"
                            "Playtoscore=9\r\n"
                            "Timeperturn=90\r\n"
                            "Bonus=1\r\n"
                            "Six=1\r\n"
                            "Turnsound=1\r\n"
                            "Playsounds=true\r\n"
                            "ChatterSounds=false\r\n"
                            "Phrase2=Stored two\r\n"
                            "\r\n"
                            "[zzz]\r\n"
                            "after=1\r\n";

} // namespace

TEST(SettingsLoading, NoFileGivesTheStoredDefaults)
{
    TempDir dir;
    SettingsFile file(dir.path());
    Settings values;
    values.textcolor = kColourRed;
    values.playsounds = false;
    file.loadinifile(values);

    EXPECT_TRUE(file.applied());
    EXPECT_EQ(values.textsize, 8);
    EXPECT_EQ(values.left, 3);
    EXPECT_EQ(values.top, 3);
    EXPECT_EQ(values.width, 636);
    EXPECT_EQ(values.height, 454);
    EXPECT_EQ(values.textcolor, kColourBlack);
    EXPECT_EQ(values.playtoscore, 5);
    EXPECT_EQ(values.timeperturn, 120);
    EXPECT_FALSE(values.bonus);
    EXPECT_FALSE(values.six);
    EXPECT_EQ(values.phrases, defaultPhrases());
    EXPECT_TRUE(values.playsounds);
    EXPECT_TRUE(values.chattersounds);
    EXPECT_EQ(values.turnsound, TurnSound::Classic);
    EXPECT_THAT(dir.entries(), testing::IsEmpty()) << "loading never creates the file";
}

TEST(SettingsLoading, StoredValuesAreApplied)
{
    TempDir dir;
    dir.put("orbolobby.ini", kStored);
    SettingsFile file(dir.path());
    Settings values;
    file.loadinifile(values);

    Settings expected;
    expected.textsize = 14;
    expected.top = 100;
    expected.left = 200;
    expected.width = 800;
    expected.height = 600;
    expected.textcolor = kColourNavy;
    expected.playtoscore = 9;
    expected.timeperturn = 90;
    expected.bonus = true;
    expected.six = true;
    expected.turnsound = TurnSound::New;
    expected.playsounds = true;
    expected.chattersounds = false;
    expected.phrases[1] = "Stored two";
    EXPECT_EQ(values, expected);
}

TEST(SettingsLoading, IntegersAreDecimalOrHexadecimalElseTheDefault)
{
    EXPECT_EQ(readFrom("Textsize=9\r\n").textsize, 9);
    EXPECT_EQ(readFrom("Textsize=$0C\r\n").textsize, 12);
    EXPECT_EQ(readFrom("Textsize=0x0e\r\n").textsize, 14);
    EXPECT_EQ(readFrom("Textsize=0XA\r\n").textsize, 10);
    EXPECT_EQ(readFrom("Textsize=12pt\r\n").textsize, 8);
    EXPECT_EQ(readFrom("Textsize=\r\n").textsize, 8);
    EXPECT_EQ(readFrom("Textsize=99999999999\r\n").textsize, 8);
    EXPECT_EQ(readFrom("Top=-8\r\nLeft=$10\r\n").top, -8);
    EXPECT_EQ(readFrom("Top=-8\r\nLeft=$10\r\n").left, 16);
    EXPECT_EQ(readFrom("Left=three\r\n").left, 3);
    EXPECT_EQ(readFrom("Bonus=1\r\nSix=0x1\r\n").bonus, true);
    EXPECT_EQ(readFrom("Bonus=1\r\nSix=0x1\r\n").six, true);
    EXPECT_EQ(readFrom("Bonus=yes\r\n").bonus, false);
}

TEST(SettingsLoading, DamagedSizesAndBoundsFallBackToTheDefaults)
{
    EXPECT_EQ(readFrom("Textsize=0\r\n").textsize, 8);
    EXPECT_EQ(readFrom("Textsize=-12\r\n").textsize, 8);
    EXPECT_EQ(readFrom("Textsize=5000\r\n").textsize, 8);
    EXPECT_EQ(readFrom("Width=0\r\n").width, 636);
    EXPECT_EQ(readFrom("Height=-454\r\n").height, 454);
    EXPECT_EQ(readFrom("Top=2000000\r\n").top, 3);
    EXPECT_EQ(readFrom("Bonus=2\r\n").bonus, false);
}

TEST(SettingsLoading, GameOptionsKeepTheirFieldWhenEmptyOrNotANumber)
{
    Settings current;
    current.playtoscore = 7;
    current.timeperturn = 150;
    EXPECT_EQ(readFrom("Playtoscore=\r\nTimeperturn=\r\n", current).playtoscore, 7);
    EXPECT_EQ(readFrom("Playtoscore=\r\nTimeperturn=\r\n", current).timeperturn, 150);
    EXPECT_EQ(readFrom("Playtoscore=many\r\nTimeperturn=2.5\r\n", current).playtoscore, 7);
    EXPECT_EQ(readFrom("Playtoscore=many\r\nTimeperturn=2.5\r\n", current).timeperturn, 150);
    EXPECT_EQ(readFrom("", current).playtoscore, 5) << "an absent key reads as \"5\"";
    EXPECT_EQ(readFrom("", current).timeperturn, 120);
    EXPECT_EQ(readFrom("Timeperturn=$3C\r\n", current).timeperturn, 60);
}

TEST(SettingsLoading, GameOptionsOutsideTheirRangeGoToTheNearestEnd)
{
    EXPECT_EQ(readFrom("Playtoscore=0\r\n").playtoscore, 1);
    EXPECT_EQ(readFrom("Playtoscore=11\r\n").playtoscore, 10);
    EXPECT_EQ(readFrom("Timeperturn=5\r\n").timeperturn, 60);
    EXPECT_EQ(readFrom("Timeperturn=1000\r\n").timeperturn, 180);
    EXPECT_EQ(readFrom("Timeperturn=125\r\n").timeperturn, 125);
}

TEST(SettingsLoading, TextColourIsAnyNameOrNumberElseBlack)
{
    EXPECT_EQ(readFrom("Textcolor=clblack\r\n").textcolor, kColourBlack);
    EXPECT_EQ(readFrom("Textcolor=CLRED\r\n").textcolor, kColourRed);
    EXPECT_EQ(readFrom("Textcolor=$00FF0000\r\n").textcolor, kColourBlue);
    EXPECT_EQ(readFrom("Textcolor=255\r\n").textcolor, kColourRed);
    Settings red;
    red.textcolor = kColourRed;
    EXPECT_EQ(readFrom("Textcolor=banana\r\n", red).textcolor, kColourBlack);
    EXPECT_EQ(readFrom("", red).textcolor, kColourBlack);
}

TEST(SettingsLoading, OnlyExactlyFalseSwitchesASoundOff)
{
    EXPECT_FALSE(readFrom("Playsounds=false\r\n").playsounds);
    EXPECT_TRUE(readFrom("Playsounds=False\r\n").playsounds);
    EXPECT_TRUE(readFrom("Playsounds=0\r\n").playsounds);
    EXPECT_TRUE(readFrom("Playsounds=\r\n").playsounds);
    EXPECT_FALSE(readFrom("ChatterSounds=false\r\n").chattersounds);
    EXPECT_TRUE(readFrom("ChatterSounds=FALSE\r\n").chattersounds);
    EXPECT_FALSE(readFrom("chattersounds=false\r\n").chattersounds) << "key names ignore case";
}

TEST(SettingsLoading, OnlyOneShowsTheBallNumbers)
{
    EXPECT_FALSE(readFrom("").ballnumbers) << "off by default";
    EXPECT_TRUE(readFrom("Ballnumbers=1\r\n").ballnumbers);
    EXPECT_FALSE(readFrom("Ballnumbers=true\r\n").ballnumbers);
    EXPECT_FALSE(readFrom("Ballnumbers=2\r\n").ballnumbers);
}

TEST(SettingsBeforeLogin, TheBallNumbersSwitchIsWrittenAloneBeforeTheLogin)
{
    TempDir dir;
    dir.put("orbolobby.ini", kStored);
    SettingsFile file(dir.path());
    Settings values;
    values.ballnumbers = true;
    ASSERT_TRUE(file.saveinifile(values, {SettingKey::Ballnumbers}));
    std::string expected = kStored;
    expected.insert(expected.find("\r\n[zzz]"), "Ballnumbers=1\r\n");
    EXPECT_EQ(dir.get("orbolobby.ini"), expected)
        << "the key joins its section and nothing else changes";
}

TEST(SettingsLoading, OnlyOneSelectsTheNewTurnSound)
{
    EXPECT_EQ(readFrom("Turnsound=1\r\n").turnsound, TurnSound::New);
    EXPECT_EQ(readFrom("Turnsound=0\r\n").turnsound, TurnSound::Classic);
    EXPECT_EQ(readFrom("Turnsound=2\r\n").turnsound, TurnSound::Classic);
    EXPECT_EQ(readFrom("Turnsound=01\r\n").turnsound, TurnSound::Classic);
    Settings current;
    current.turnsound = TurnSound::New;
    EXPECT_EQ(readFrom("", current).turnsound, TurnSound::Classic);
}

TEST(SettingsLoading, EmptyOrAbsentPhrasesKeepTheButtonsPhrase)
{
    Settings current;
    current.phrases[0] = "Edited one";
    const Settings values = readFrom("Phrase1=\r\nPhrase3=/me waves\r\nPHRASE9=Bye\r\n", current);
    EXPECT_EQ(values.phrases[0], "Edited one");
    EXPECT_EQ(values.phrases[1], "Good One!");
    EXPECT_EQ(values.phrases[2], "/me waves");
    EXPECT_EQ(values.phrases[8], "Bye");
}

TEST(SettingsSaving, WritesEveryKeyButThePhrasesInOrder)
{
    TempDir dir;
    SettingsFile file(dir.path());
    Settings values;
    file.loadinifile(values);
    values.textsize = 12;
    values.top = -4;
    values.textcolor = 0x123456;
    values.turnsound = TurnSound::New;
    values.chattersounds = false;
    values.phrases[0] = "never written here";
    ASSERT_TRUE(file.saveinifile(values, {SettingKey::Textsize}));
    EXPECT_EQ(dir.get("orbolobby.ini"), "[kalvex]\r\n"
                                        "Textsize=12\r\n"
                                        "Top=-4\r\n"
                                        "Left=3\r\n"
                                        "Width=636\r\n"
                                        "Height=454\r\n"
                                        "Textcolor=$00123456\r\n"
                                        "Playtoscore=5\r\n"
                                        "Timeperturn=120\r\n"
                                        "Bonus=0\r\n"
                                        "Six=0\r\n"
                                        "Turnsound=1\r\n"
                                        "Playsounds=true\r\n"
                                        "ChatterSounds=false\r\n"
                                        "Ballnumbers=0\r\n");
}

TEST(SettingsSaving, KeepsOtherSectionsAndThePhrases)
{
    TempDir dir;
    dir.put("orbolobby.ini", kStored);
    SettingsFile file(dir.path());
    Settings values;
    file.loadinifile(values);
    values.textsize = 10;
    ASSERT_TRUE(file.saveinifile(values, {SettingKey::Textsize}));

    std::string expected = kStored;
    expected.replace(expected.find("Textsize=14"), 11, "Textsize=10");
    // A key of this program alone is added at the end of its section.
    expected.insert(expected.find("\r\n[zzz]"), "Ballnumbers=0\r\n");
    EXPECT_EQ(dir.get("orbolobby.ini"), expected);
}

TEST(SettingsSaving, WhatIsSavedLoadsBackTheSame)
{
    TempDir dir;
    Settings values;
    values.textsize = 14;
    values.top = -20;
    values.left = 1500;
    values.width = 1024;
    values.height = 700;
    values.textcolor = 0x80000008;
    values.playtoscore = 10;
    values.timeperturn = 65;
    values.bonus = true;
    values.six = true;
    values.phrases = {" lead", "trail ", "\"quoted\"", "/me dances", "a=b", "[x]", "7", "8", "9"};
    values.playsounds = false;
    values.turnsound = TurnSound::New;
    values.chattersounds = false;

    SettingsFile writer(dir.path());
    Settings ignored;
    writer.loadinifile(ignored);
    ASSERT_TRUE(writer.saveinifile(values, {}));
    ASSERT_TRUE(writer.savephrases(values, {}));

    SettingsFile reader(dir.path());
    Settings loaded;
    reader.loadinifile(loaded);
    EXPECT_EQ(loaded, values);
}

TEST(SettingsSaving, ThePhraseEditorWritesAllNineEmptyOnesIncluded)
{
    TempDir dir;
    SettingsFile file(dir.path());
    Settings values;
    file.loadinifile(values);
    values.phrases[4] = "";
    ASSERT_TRUE(file.savephrases(values, {phraseKey(5)}));
    const std::string text = dir.get("orbolobby.ini");
    EXPECT_THAT(text, HasSubstr("Phrase1=Way To Go!\r\n"));
    EXPECT_THAT(text, HasSubstr("Phrase5=\r\n"));
    EXPECT_THAT(text, HasSubstr("Phrase9=Good Game Everyone!\r\n"));
    EXPECT_THAT(text, Not(HasSubstr("Textsize")));

    // At the next login the empty phrase is skipped: the button keeps its default.
    Settings next;
    SettingsFile(dir.path()).loadinifile(next);
    EXPECT_EQ(next.phrases[4], "Brilliant!");
}

TEST(SettingsSaving, AFailedSaveIsReportedAndLosesNothing)
{
    TempDir dir;
    dir.put("blocker", "x");
    SettingsFile file(dir / "blocker");
    Settings values;
    file.loadinifile(values);
    std::string error;
    EXPECT_FALSE(file.saveinifile(values, {SettingKey::Playsounds}, &error));
    EXPECT_THAT(error, HasSubstr("blocker"));
    EXPECT_EQ(dir.get("blocker"), "x");
}

// Before the login has applied the stored values, the program runs with
// start-up defaults that the user never chose: they must not replace the
// stored values.
TEST(SettingsBeforeLogin, ASwitchChangedBeforeLoginWritesOnlyThatSwitch)
{
    TempDir dir;
    dir.put("orbolobby.ini", kStored);
    SettingsFile file(dir.path());
    Settings values; // start-up defaults: text size 10, both sounds on, ...
    values.chattersounds = true;
    values.playsounds = false;
    ASSERT_TRUE(file.saveinifile(values, {SettingKey::Playsounds}));

    std::string expected = kStored;
    expected.replace(expected.find("Playsounds=true"), 15, "Playsounds=false");
    EXPECT_EQ(dir.get("orbolobby.ini"), expected);

    // The login then applies the stored values along with the user's choice.
    file.loadinifile(values);
    EXPECT_FALSE(values.playsounds);
    EXPECT_EQ(values.textsize, 14);
    EXPECT_FALSE(values.chattersounds);
}

TEST(SettingsBeforeLogin, ClosingWithoutLoginAndWithoutChangesWritesNothing)
{
    TempDir dir;
    dir.put("orbolobby.ini", kStored);
    SettingsFile file(dir.path());
    ASSERT_TRUE(file.saveinifile(Settings(), {}));
    EXPECT_EQ(dir.get("orbolobby.ini"), kStored);

    TempDir empty;
    ASSERT_TRUE(SettingsFile(empty.path()).saveinifile(Settings(), {}));
    EXPECT_THAT(empty.entries(), testing::IsEmpty());
}

TEST(SettingsBeforeLogin, EveryChangeOfTheRunIsWrittenAndNothingElse)
{
    TempDir dir;
    dir.put("orbolobby.ini", kStored);
    SettingsFile file(dir.path());
    Settings values;
    values.turnsound = TurnSound::Classic;
    ASSERT_TRUE(file.saveinifile(values, {SettingKey::Turnsound}));
    values.left = 40;
    values.top = 50;
    ASSERT_TRUE(file.saveinifile(values, kWindowBoundsKeys));

    const ProfileFile stored = ProfileFile::load(dir / "orbolobby.ini");
    EXPECT_EQ(stored.read("kalvex", "Turnsound"), "0");
    EXPECT_EQ(stored.read("kalvex", "Left"), "40");
    EXPECT_EQ(stored.read("kalvex", "Top"), "50");
    EXPECT_EQ(stored.read("kalvex", "Width"), "636");
    EXPECT_EQ(stored.read("kalvex", "Textsize"), "14");
    EXPECT_EQ(stored.read("kalvex", "Textcolor"), "clNavy");
    EXPECT_EQ(stored.read("kalvex", "Playtoscore"), "9");
    EXPECT_EQ(stored.read("kalvex", "ChatterSounds"), "false");
    EXPECT_EQ(stored.read("kalvex", "Phrase2"), "Stored two");
}

TEST(SettingsBeforeLogin, ThePhraseEditorWritesOnlyThePhrasesTheUserChanged)
{
    TempDir dir;
    dir.put("orbolobby.ini", kStored);
    SettingsFile file(dir.path());
    Settings values;
    const Phrases before = values.phrases;
    values.phrases[6] = "Cheers!";
    ASSERT_TRUE(file.savephrases(values, changedPhrases(before, values.phrases)));

    const ProfileFile stored = ProfileFile::load(dir / "orbolobby.ini");
    EXPECT_EQ(stored.read("kalvex", "Phrase7"), "Cheers!");
    EXPECT_EQ(stored.read("kalvex", "Phrase2"), "Stored two");
    EXPECT_EQ(stored.read("kalvex", "Phrase1"), std::nullopt);
}

TEST(SettingsBeforeLogin, AfterTheLoginEverySaveWritesEveryKey)
{
    TempDir dir;
    dir.put("orbolobby.ini", kStored);
    SettingsFile file(dir.path());
    Settings values;
    file.loadinifile(values);
    values.textsize = 12;
    ASSERT_TRUE(file.saveinifile(values, {SettingKey::Textsize}));
    Settings reread;
    SettingsFile(dir.path()).loadinifile(reread);
    EXPECT_EQ(reread, values);
}

TEST(SettingKeyNames, FollowTheFileAndThePhraseNumbers)
{
    EXPECT_EQ(settingKeyName(SettingKey::ChatterSounds), "ChatterSounds");
    EXPECT_EQ(settingKeyName(phraseKey(1)), "Phrase1");
    EXPECT_EQ(settingKeyName(phraseKey(9)), "Phrase9");
    const SettingKeys changed = changedPhrases(defaultPhrases(), defaultPhrases());
    EXPECT_TRUE(changed.empty());
}
