#include "app/settings.h"

#include "net/message.h"

#include <algorithm>

namespace kalvex {

namespace {

// Stored sizes and bounds beyond these are damage, not a choice: they fall
// back to the defaults like any other unreadable number.
constexpr int kMaxTextSize = 128;
constexpr int kMaxCoordinate = 32767;

constexpr std::string_view kKeyNames[kSettingKeyCount] = {
    "Textsize",      "Top",         "Left",    "Width",   "Height",    "Textcolor",
    "Playtoscore",   "Timeperturn", "Bonus",   "Six",     "Turnsound", "Playsounds",
    "ChatterSounds", "Ballnumbers", "Phrase1", "Phrase2", "Phrase3",   "Phrase4",
    "Phrase5",       "Phrase6",     "Phrase7", "Phrase8", "Phrase9",
};

constexpr SettingKey kValueKeys[] = {
    SettingKey::Textsize,      SettingKey::Top,         SettingKey::Left,
    SettingKey::Width,         SettingKey::Height,      SettingKey::Textcolor,
    SettingKey::Playtoscore,   SettingKey::Timeperturn, SettingKey::Bonus,
    SettingKey::Six,           SettingKey::Turnsound,   SettingKey::Playsounds,
    SettingKey::ChatterSounds, SettingKey::Ballnumbers,
};

class SectionReader
{
public:
    explicit SectionReader(const ProfileFile &profile) : profile(profile) {}

    std::optional<std::string> text(SettingKey key) const
    {
        return profile.read(kSettingsSection, settingKeyName(key));
    }
    std::string text(SettingKey key, std::string_view fallback) const
    {
        return text(key).value_or(std::string(fallback));
    }
    // Decimal, or hexadecimal after "$" or "0x"; anything else, or a number
    // outside [low, high], gives the fallback.
    int integer(SettingKey key, int fallback, int low, int high) const
    {
        const std::optional<std::string> stored = text(key);
        int value = 0;
        if (!stored || !tryStrToInt(*stored, value) || value < low || value > high)
            return fallback;
        return value;
    }

private:
    const ProfileFile &profile;
};

// "# of Rounds:" and "RoundTime Limit:": an empty text keeps the current
// number, and so does one that is no whole number.
void readOption(const SectionReader &reader, SettingKey key, std::string_view fallback, int low,
                int high, int &value)
{
    const std::string stored = reader.text(key, fallback);
    int number = 0;
    if (!stored.empty() && tryStrToInt(stored, number))
        value = std::clamp(number, low, high);
}

std::string flag(bool on)
{
    return on ? "1" : "0";
}

std::string switchText(bool on)
{
    return on ? "true" : "false";
}

std::string valueText(const Settings &values, SettingKey key)
{
    switch (key) {
    case SettingKey::Textsize:
        return std::to_string(values.textsize);
    case SettingKey::Top:
        return std::to_string(values.top);
    case SettingKey::Left:
        return std::to_string(values.left);
    case SettingKey::Width:
        return std::to_string(values.width);
    case SettingKey::Height:
        return std::to_string(values.height);
    case SettingKey::Textcolor:
        return colourToText(values.textcolor);
    case SettingKey::Playtoscore:
        return std::to_string(values.playtoscore);
    case SettingKey::Timeperturn:
        return std::to_string(values.timeperturn);
    case SettingKey::Bonus:
        return flag(values.bonus);
    case SettingKey::Six:
        return flag(values.six);
    case SettingKey::Turnsound:
        return std::to_string(static_cast<int>(values.turnsound));
    case SettingKey::Playsounds:
        return switchText(values.playsounds);
    case SettingKey::ChatterSounds:
        return switchText(values.chattersounds);
    case SettingKey::Ballnumbers:
        return flag(values.ballnumbers);
    default:
        return values
            .phrases[static_cast<std::size_t>(key) - static_cast<std::size_t>(SettingKey::Phrase1)];
    }
}

} // namespace

Phrases defaultPhrases()
{
    return {"Way To Go!", "Good One!", "Nice Try!",         "Excellent!",         "Brilliant!",
            "Wow, WTG!",  "Thanks!",   "Way To Go Teamie!", "Good Game Everyone!"};
}

SettingKey phraseKey(int n)
{
    return static_cast<SettingKey>(static_cast<int>(SettingKey::Phrase1) + n - 1);
}

SettingKeys changedPhrases(const Phrases &before, const Phrases &after)
{
    SettingKeys keys;
    for (int n = 1; n <= kPhraseCount; ++n) {
        if (before[static_cast<std::size_t>(n - 1)] != after[static_cast<std::size_t>(n - 1)])
            keys.insert(phraseKey(n));
    }
    return keys;
}

std::string settingKeyName(SettingKey key)
{
    return std::string(kKeyNames[static_cast<std::size_t>(key)]);
}

void readSettings(const ProfileFile &profile, Settings &values)
{
    const SectionReader reader(profile);
    values.textsize = reader.integer(SettingKey::Textsize, 8, 1, kMaxTextSize);
    values.top = reader.integer(SettingKey::Top, 3, -kMaxCoordinate, kMaxCoordinate);
    values.left = reader.integer(SettingKey::Left, 3, -kMaxCoordinate, kMaxCoordinate);
    values.width = reader.integer(SettingKey::Width, 636, 1, kMaxCoordinate);
    values.height = reader.integer(SettingKey::Height, 454, 1, kMaxCoordinate);
    values.textcolor =
        textToColour(reader.text(SettingKey::Textcolor, "clblack")).value_or(kColourBlack);
    readOption(reader, SettingKey::Playtoscore, "5", kMinRounds, kMaxRounds, values.playtoscore);
    readOption(reader, SettingKey::Timeperturn, "120", kMinRoundSeconds, kMaxRoundSeconds,
               values.timeperturn);
    values.bonus = reader.integer(SettingKey::Bonus, 0, 0, 1) == 1;
    values.six = reader.integer(SettingKey::Six, 0, 0, 1) == 1;
    for (int n = 1; n <= kPhraseCount; ++n) {
        const std::string phrase = reader.text(phraseKey(n), "");
        if (!phrase.empty())
            values.phrases[static_cast<std::size_t>(n - 1)] = phrase;
    }
    values.playsounds = reader.text(SettingKey::Playsounds, "") != "false";
    values.turnsound =
        reader.text(SettingKey::Turnsound, "0") == "1" ? TurnSound::New : TurnSound::Classic;
    values.chattersounds = reader.text(SettingKey::ChatterSounds, "true") != "false";
    values.ballnumbers = reader.text(SettingKey::Ballnumbers, "0") == "1";
}

void writeSettings(ProfileFile &profile, const Settings &values, const SettingKeys &keys)
{
    for (int i = 0; i < kSettingKeyCount; ++i) {
        const auto key = static_cast<SettingKey>(i);
        if (keys.contains(key))
            profile.write(kSettingsSection, settingKeyName(key), valueText(values, key));
    }
}

void applySoundSwitches(const Settings &values, SoundCues &cues)
{
    cues.setPlaySounds(values.playsounds);
    cues.setChatterSounds(values.chattersounds);
    cues.setTurnSound(values.turnsound);
}

void readSoundSwitches(const SoundCues &cues, Settings &values)
{
    values.playsounds = cues.playSounds();
    values.chattersounds = cues.chatterSounds();
    values.turnsound = cues.turnSound();
}

SettingsFile::SettingsFile(const std::filesystem::path &directory)
    : filePath(directory / kSettingsFileName)
{}

void SettingsFile::loadinifile(Settings &values)
{
    readSettings(ProfileFile::load(filePath), values);
    loaded = true;
}

bool SettingsFile::saveinifile(const Settings &values, const SettingKeys &changed,
                               std::string *error)
{
    userChanged |= changed;
    SettingKeys keys;
    for (SettingKey key : kValueKeys) {
        if (loaded || userChanged.contains(key))
            keys.insert(key);
    }
    return save(values, keys, error);
}

bool SettingsFile::savephrases(const Settings &values, const SettingKeys &changed,
                               std::string *error)
{
    userChanged |= changed;
    SettingKeys keys;
    for (int n = 1; n <= kPhraseCount; ++n) {
        if (loaded || userChanged.contains(phraseKey(n)))
            keys.insert(phraseKey(n));
    }
    return save(values, keys, error);
}

bool SettingsFile::save(const Settings &values, const SettingKeys &keys, std::string *error)
{
    if (keys.empty())
        return true;
    ProfileFile profile = ProfileFile::load(filePath);
    writeSettings(profile, values, keys);
    return profile.save(filePath, error);
}

} // namespace kalvex
