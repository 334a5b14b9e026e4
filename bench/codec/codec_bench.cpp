// Packs and unpacks four kinds of input (a tally text, English text, source
// code, random bytes) of 32 KiB and 4 MiB with our codec, zlib level 1 and
// LZ4, then prints speed and packed size side by side.
#include "tally/packed_file.h"
#include "tally/str_grid.h"

#include <benchmark/benchmark.h>
#include <lz4.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using kalvex::packBytes;
using kalvex::unpackBytes;

constexpr std::size_t kSmall = 32 * 1024;
constexpr std::size_t kLarge = 4 * 1024 * 1024;

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string fitTo(std::string text, std::size_t size)
{
    if (text.empty())
        text = "empty";
    while (text.size() < size)
        text += text;
    text.resize(size);
    return text;
}

// The tally of a player who follows many opponents.
std::string tallyText(std::size_t size)
{
    static const char *const syllables[] = {"an", "bo", "ka",  "li",  "mer", "ton", "zu", "el",
                                            "ri", "sa", "vex", "dor", "ny",  "qu",  "ha", "jo"};
    std::mt19937 rng(11);
    const int rows = static_cast<int>(size / 90) + 2;
    kalvex::StrGrid grid(9, rows);
    for (int c = 0; c < 9; ++c)
        grid.cell(c, 0) = std::to_string(rng() % 500);
    for (int r = 1; r < rows; ++r) {
        std::string name;
        for (unsigned k = 0, n = 2 + rng() % 3; k < n; ++k)
            name += syllables[rng() % 16];
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
        grid.cell(0, r) = name + std::to_string(rng() % 100);
        const unsigned games = rng() % 300;
        grid.cell(1, r) = std::to_string(games);
        for (int c = 2; c < 9; ++c)
            grid.cell(c, r) = std::to_string(games ? rng() % (games + 1) : 0);
    }
    return fitTo(kalvex::formatStrGrid(grid), size);
}

// Sentences drawn from the word pairs of a licence text on this machine, so
// that the text reads like English without repeating itself.
std::string englishText(std::size_t size)
{
    std::string source = readFile("/usr/share/common-licenses/GPL-3");
    if (source.empty())
        source = "The game counts the rounds you played and the codes you cracked, and for "
                 "every player you follow it counts the games you played together and who won "
                 "them. Every computer keeps its own tally and nothing of it leaves the machine.";
    std::istringstream words(source);
    std::vector<std::string> list{std::istream_iterator<std::string>(words), {}};
    std::map<std::string, std::vector<std::size_t>> next;
    for (std::size_t i = 0; i + 1 < list.size(); ++i)
        next[list[i]].push_back(i + 1);
    std::mt19937 rng(5);
    std::string text;
    std::size_t at = 0;
    int column = 0;
    while (text.size() < size) {
        const auto &follow = next[list[at]];
        at =
            follow.empty() || rng() % 40 == 0 ? rng() % list.size() : follow[rng() % follow.size()];
        text += list[at];
        column += static_cast<int>(list[at].size()) + 1;
        if (column > 72) {
            text += "\n";
            column = 0;
        } else {
            text += " ";
        }
    }
    text.resize(size);
    return text;
}

// C++ headers of the compiler's library, in a fixed order.
std::string sourceCode(std::size_t size)
{
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto &entry : std::filesystem::recursive_directory_iterator("/usr/include/c++", ec))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::string text;
    for (const auto &file : files) {
        text += readFile(file);
        if (text.size() >= size)
            break;
    }
    return fitTo(text, size);
}

std::string randomBytes(std::size_t size)
{
    std::mt19937_64 rng(3);
    std::string text(size, '\0');
    for (auto &c : text)
        c = static_cast<char>(rng());
    return text;
}

struct Codec
{
    const char *name;
    std::string (*pack)(const std::string &);
    std::string (*unpack)(const std::string &, std::size_t);
};

std::string zlibPack(const std::string &in)
{
    uLongf size = compressBound(in.size());
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef *>(out.data()), &size,
              reinterpret_cast<const Bytef *>(in.data()), in.size(), 1);
    out.resize(size);
    return out;
}

std::string zlibUnpack(const std::string &in, std::size_t plainSize)
{
    uLongf size = plainSize;
    std::string out(plainSize, '\0');
    uncompress(reinterpret_cast<Bytef *>(out.data()), &size,
               reinterpret_cast<const Bytef *>(in.data()), in.size());
    out.resize(size);
    return out;
}

std::string lz4Pack(const std::string &in)
{
    std::string out(static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(in.size()))), '\0');
    const int size = LZ4_compress_default(in.data(), out.data(), static_cast<int>(in.size()),
                                          static_cast<int>(out.size()));
    out.resize(static_cast<std::size_t>(size));
    return out;
}

std::string lz4Unpack(const std::string &in, std::size_t plainSize)
{
    std::string out(plainSize, '\0');
    const int size = LZ4_decompress_safe(in.data(), out.data(), static_cast<int>(in.size()),
                                         static_cast<int>(plainSize));
    out.resize(static_cast<std::size_t>(std::max(size, 0)));
    return out;
}

std::string ourPack(const std::string &in)
{
    return packBytes(in);
}

std::string ourUnpack(const std::string &in, std::size_t)
{
    return unpackBytes(in);
}

const Codec kCodecs[] = {
    {"kalvex", ourPack, ourUnpack},
    {"zlib-1", zlibPack, zlibUnpack},
    {"lz4", lz4Pack, lz4Unpack},
};

struct Input
{
    std::string name;
    std::string data;
};

struct Figures
{
    double packMBs = 0;
    double unpackMBs = 0;
    double packedBytes = 0;
};

// Keyed by "input/size/codec".
std::map<std::string, Figures> figures;

std::vector<Input> makeInputs()
{
    std::vector<Input> inputs;
    for (std::size_t size : {kSmall, kLarge}) {
        const std::string suffix = size == kSmall ? "/32KiB" : "/4MiB";
        inputs.push_back({"tally" + suffix, tallyText(size)});
        inputs.push_back({"english" + suffix, englishText(size)});
        inputs.push_back({"source" + suffix, sourceCode(size)});
        inputs.push_back({"random" + suffix, randomBytes(size)});
    }
    return inputs;
}

void registerAll(const std::vector<Input> &inputs)
{
    for (const Input &input : inputs)
        for (const Codec &codec : kCodecs) {
            const std::string key = input.name + "/" + codec.name;
            benchmark::RegisterBenchmark(
                ("pack/" + key).c_str(), [&input, &codec, key](benchmark::State &state) {
                    std::string packed;
                    for (auto _ : state) {
                        packed = codec.pack(input.data);
                        benchmark::DoNotOptimize(packed.data());
                    }
                    const double bytes = static_cast<double>(input.data.size());
                    state.counters["MB/s"] =
                        benchmark::Counter(bytes * static_cast<double>(state.iterations()) / 1e6,
                                           benchmark::Counter::kIsRate);
                    state.counters["packed"] = static_cast<double>(packed.size());
                    state.counters["ratio%"] = 100.0 * static_cast<double>(packed.size()) / bytes;
                    if (codec.unpack(packed, input.data.size()) != input.data)
                        state.SkipWithError("the round trip changed the data");
                });
            benchmark::RegisterBenchmark(
                ("unpack/" + key).c_str(), [&input, &codec](benchmark::State &state) {
                    const std::string packed = codec.pack(input.data);
                    for (auto _ : state) {
                        std::string plain = codec.unpack(packed, input.data.size());
                        benchmark::DoNotOptimize(plain.data());
                    }
                    state.counters["MB/s"] =
                        benchmark::Counter(static_cast<double>(input.data.size()) *
                                               static_cast<double>(state.iterations()) / 1e6,
                                           benchmark::Counter::kIsRate);
                });
        }
}

// Prints the usual lines and keeps the figures for the summary.
class CollectingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration)
                continue;
            const std::string name = run.benchmark_name();
            const auto slash = name.find('/');
            const std::string job = name.substr(0, slash);
            Figures &f = figures[name.substr(slash + 1)];
            const auto mbs = run.counters.find("MB/s");
            const double rate = mbs == run.counters.end() ? 0 : mbs->second.value;
            if (job == "pack") {
                f.packMBs = rate;
                f.packedBytes = run.counters.at("packed").value;
            } else {
                f.unpackMBs = rate;
            }
        }
    }
};

void printSummary(const std::vector<Input> &inputs)
{
    std::printf("\n%-15s %-7s %11s %12s %12s %8s\n", "input", "codec", "pack MB/s", "unpack MB/s",
                "packed bytes", "ratio");
    for (const Input &input : inputs) {
        for (const Codec &codec : kCodecs) {
            const auto it = figures.find(input.name + "/" + codec.name);
            if (it == figures.end())
                continue;
            const Figures &f = it->second;
            std::printf("%-15s %-7s %11.1f %12.1f %12.0f %7.1f%%\n", input.name.c_str(), codec.name,
                        f.packMBs, f.unpackMBs, f.packedBytes,
                        100.0 * f.packedBytes / static_cast<double>(input.data.size()));
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<Input> inputs = makeInputs();
    registerAll(inputs);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(inputs);
    benchmark::Shutdown();
    return 0;
}
