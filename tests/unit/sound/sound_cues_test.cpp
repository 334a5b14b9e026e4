#include "app/sound_cues.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kalvex;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

// Records what would have been played.
class RecordingBackend : public SoundBackend
{
public:
    void play(std::string_view name) override { played.emplace_back(name); }
    std::vector<std::string> played;
};

struct CueCase
{
    Cue cue;
    const char *name;
};

const CueCase kCues[] = {
    {Cue::Click, "click"},         {Cue::Entered, "entered"}, {Cue::Right, "right"},
    {Cue::Wrong, "wrong"},         {Cue::Time, "time"},       {Cue::TimeUp, "timeup"},
    {Cue::RoundOver, "roundover"}, {Cue::Winner, "winner"},   {Cue::Turn, "turn"},
    {Cue::Mention, "mention"},
};

class SoundCuesTest : public testing::Test
{
protected:
    RecordingBackend backend;
    SoundCues cues{backend};
};

} // namespace

TEST_F(SoundCuesTest, StartsWithBothSoundsOnAndTheClassicTurnSound)
{
    EXPECT_TRUE(cues.playSounds());
    EXPECT_TRUE(cues.chatterSounds());
    EXPECT_EQ(cues.turnSound(), TurnSound::Classic);
}

TEST_F(SoundCuesTest, EachCuePlaysItsOwnSound)
{
    for (const CueCase &c : kCues) {
        backend.played.clear();
        cues.playsounds(c.cue);
        EXPECT_THAT(backend.played, ElementsAre(c.name)) << c.name;
    }
}

TEST_F(SoundCuesTest, TheTurnSoundChoicePicksTheRowOpenCue)
{
    cues.setTurnSound(TurnSound::New);
    cues.playsounds(Cue::Turn);
    cues.playsounds(Cue::Click);
    cues.setTurnSound(TurnSound::Classic);
    cues.playsounds(Cue::Turn);
    EXPECT_THAT(backend.played, ElementsAre("turnnew", "click", "turn"));
}

TEST_F(SoundCuesTest, PlaySoundsOffSilencesGameCuesButNotChatter)
{
    cues.setPlaySounds(false);
    for (const CueCase &c : kCues)
        cues.playsounds(c.cue);
    EXPECT_THAT(backend.played, IsEmpty());

    EXPECT_TRUE(cues.playChatter("wave13"));
    EXPECT_THAT(backend.played, ElementsAre("wave13"));
}

TEST_F(SoundCuesTest, ChatterSoundsOffSilencesChatterButNotGameCues)
{
    cues.setChatterSounds(false);
    EXPECT_FALSE(cues.playChatter("wave3"));
    cues.playsounds(Cue::Winner);
    EXPECT_THAT(backend.played, ElementsAre("winner"));
}

TEST_F(SoundCuesTest, OnlyTheTwentyChatterSoundsCanBePlayedByAPeer)
{
    for (int n = 1; n <= kChatterSoundCount; ++n)
        EXPECT_TRUE(cues.playChatter("wave" + std::to_string(n)));
    EXPECT_TRUE(cues.playChatter("WAVE7"));
    ASSERT_EQ(backend.played.size(), 21u);
    EXPECT_EQ(backend.played.front(), "wave1");
    EXPECT_EQ(backend.played[19], "wave20");
    EXPECT_EQ(backend.played.back(), "wave7");

    backend.played.clear();
    for (const char *name : {"wave0", "wave21", "wave", "wave05", "wave3+", "wave-1", "winner",
                             "../wave1", "", "wave100"})
        EXPECT_FALSE(cues.playChatter(name)) << name;
    EXPECT_THAT(backend.played, IsEmpty());
}

TEST_F(SoundCuesTest, CuesInQuickSuccessionReachThePlayerInOrder)
{
    cues.playsounds(Cue::Time);
    cues.playsounds(Cue::TimeUp);
    cues.playChatter("wave1");
    EXPECT_THAT(backend.played, ElementsAre("time", "timeup", "wave1"));
}

TEST(ChatterSoundNames, NumberAndNameAreInverse)
{
    for (int n = 1; n <= kChatterSoundCount; ++n)
        EXPECT_EQ(chatterSoundNumber(chatterSoundName(n)), n);
    EXPECT_EQ(chatterSoundNumber("Wave20"), 20);
    EXPECT_EQ(chatterSoundNumber("wave 1"), std::nullopt);
}
