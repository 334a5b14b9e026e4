// Reads any bytes as a settings file, then checks that writing the
// settings back changes only what was written: every written value reads
// back as written, and a key of another section keeps its value.
#include "app/profile_file.h"
#include "app/settings.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace kalvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    ProfileFile profile = ProfileFile::parse(bytes);

    Settings values;
    readSettings(profile, values);
    const std::optional<std::string> other = profile.read("orbo", "Nick");

    // New values taken from the input, phrases included.
    values.textsize = 1 + static_cast<int>(size % 128);
    values.top = -static_cast<int>(size % 30000);
    values.phrases[0] = std::string(bytes.substr(0, 50));
    values.phrases[8] = std::string(bytes.substr(size / 2, 50));
    for (std::string &phrase : values.phrases) {
        if (phrase.empty())
            phrase = "x";
    }
    SettingKeys all;
    for (int i = 0; i < kSettingKeyCount; ++i)
        all.insert(static_cast<SettingKey>(i));
    writeSettings(profile, values, all);

    const ProfileFile reread = ProfileFile::parse(profile.text());
    Settings back;
    readSettings(reread, back);
    // Line breaks cannot be stored; they come back as blanks.
    for (std::string &phrase : values.phrases) {
        for (char &c : phrase) {
            if (c == '\r' || c == '\n')
                c = ' ';
        }
    }
    if (!(back == values))
        std::abort();
    if (reread.read("orbo", "Nick") != other)
        std::abort();
    return 0;
}
