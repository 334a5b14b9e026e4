#pragma once
// The user's choices kept between runs: the main window's placement, the
// chat text size and colour, the game options, the phrase buttons and the
// sound switches, in the section "kalvex" of "orbolobby.ini".
//
// The main window owns the live values (in its widgets). It hands them to
// SettingsFile as a Settings when it saves, and takes them back from
// loadinifile when this client's own login is announced.

#include "app/profile_file.h"
#include "app/sound_cues.h"
#include "chat/chat_composer.h"
#include "net/colour_text.h"

#include <array>
#include <bitset>
#include <filesystem>
#include <initializer_list>
#include <string>

namespace kalvex {

inline constexpr std::string_view kSettingsFileName = "orbolobby.ini";
inline constexpr std::string_view kSettingsSection = "kalvex";

using Phrases = std::array<std::string, kPhraseCount>;

// The phrase buttons' texts before the settings are applied.
Phrases defaultPhrases();

// The ranges of the game options; stored numbers outside them are brought
// to the nearest end.
inline constexpr int kMinRounds = 1;
inline constexpr int kMaxRounds = 10;
inline constexpr int kMinRoundSeconds = 60;
inline constexpr int kMaxRoundSeconds = 180;

// The values, initialised to what the program runs with from start-up until
// the settings file is applied.
struct Settings
{
    int textsize = 10;
    int top = 4;
    int left = 2;
    int width = 636;
    int height = 454;
    ColourValue textcolor = kColourBlack;
    int playtoscore = 5;
    int timeperturn = 120;
    bool bonus = false;
    bool six = false;
    Phrases phrases = defaultPhrases();
    bool playsounds = true;
    TurnSound turnsound = TurnSound::Classic;
    bool chattersounds = true;
    // "Show Ball Numbers": a key of this program alone, off by default.
    bool ballnumbers = false;

    bool operator==(const Settings &) const = default;
};

// One stored value: a key of the file.
enum class SettingKey
{
    Textsize,
    Top,
    Left,
    Width,
    Height,
    Textcolor,
    Playtoscore,
    Timeperturn,
    Bonus,
    Six,
    Turnsound,
    Playsounds,
    ChatterSounds,
    Ballnumbers,
    Phrase1,
    Phrase2,
    Phrase3,
    Phrase4,
    Phrase5,
    Phrase6,
    Phrase7,
    Phrase8,
    Phrase9,
};
inline constexpr int kSettingKeyCount = static_cast<int>(SettingKey::Phrase9) + 1;

// A set of keys: the ones a user action changed.
class SettingKeys
{
public:
    SettingKeys() = default;
    SettingKeys(std::initializer_list<SettingKey> keys)
    {
        for (SettingKey key : keys)
            insert(key);
    }
    void insert(SettingKey key) { bits.set(static_cast<std::size_t>(key)); }
    bool contains(SettingKey key) const { return bits.test(static_cast<std::size_t>(key)); }
    bool empty() const { return bits.none(); }
    SettingKeys &operator|=(const SettingKeys &other)
    {
        bits |= other.bits;
        return *this;
    }

private:
    std::bitset<kSettingKeyCount> bits;
};

// The keys each user action changes.
inline const SettingKeys kWindowBoundsKeys{SettingKey::Top, SettingKey::Left, SettingKey::Width,
                                           SettingKey::Height};
inline const SettingKeys kGameOptionKeys{SettingKey::Playtoscore, SettingKey::Timeperturn,
                                         SettingKey::Bonus, SettingKey::Six};
// Phrase key n (1 to 9).
SettingKey phraseKey(int n);
// The phrase keys whose texts differ between the two lists: what the phrase
// editor changed.
SettingKeys changedPhrases(const Phrases &before, const Phrases &after);

// The key's name in the file ("Textsize", "Phrase3").
std::string settingKeyName(SettingKey key);

// Reads the section into `values` by the reading rules of each key:
// integers are decimal, or hexadecimal after "$" or "0x", with the key's
// default for anything else; an unreadable colour is black; empty or absent
// numbers of rounds and seconds, and empty or absent phrases, keep the value
// `values` already holds; "false" (exactly) switches a sound switch off and
// anything else on; "1" selects the New turn sound and anything else Classic;
// "1" shows the ball numbers and anything else hides them.
void readSettings(const ProfileFile &profile, Settings &values);
// Writes the given keys' values into the section, in the file's key order
// (the phrases last).
void writeSettings(ProfileFile &profile, const Settings &values, const SettingKeys &keys);

// The three sound switches pass between the settings and the cues.
void applySoundSwitches(const Settings &values, SoundCues &cues);
void readSoundSwitches(const SoundCues &cues, Settings &values);

// The settings file of one run. Until loadinifile has applied the stored
// values, the values the program runs with are start-up defaults the user
// never chose, so a save then writes only the keys the user changed in this
// run; afterwards every save writes every key but the phrases.
class SettingsFile
{
public:
    // The file "orbolobby.ini" in `directory`.
    explicit SettingsFile(const std::filesystem::path &directory);

    const std::filesystem::path &path() const { return filePath; }
    // Whether loadinifile has run in this run.
    bool applied() const { return loaded; }

    // This client's own login was announced: reads the file afresh into
    // `values` (see readSettings) and from now on saves write every key.
    void loadinifile(Settings &values);

    // A setting changed (`changed` names the keys the user's action changed:
    // a switch, the text size, the text colour, the game options, the window
    // bounds). Writes every key but the phrases once the settings are
    // applied; before that, only the keys the user changed so far in this run.
    // Returns false when the file could not be written (the old file stays
    // whole); `error` then says why.
    bool saveinifile(const Settings &values, const SettingKeys &changed,
                     std::string *error = nullptr);

    // The phrase editor's "Done": writes Phrase1 to Phrase9, empty ones
    // included; before the settings are applied, only the phrases the user
    // changed in this run (see changedPhrases).
    bool savephrases(const Settings &values, const SettingKeys &changed,
                     std::string *error = nullptr);

private:
    bool save(const Settings &values, const SettingKeys &keys, std::string *error);

    std::filesystem::path filePath;
    bool loaded = false;
    SettingKeys userChanged;
};

} // namespace kalvex
