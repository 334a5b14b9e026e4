// kalvex-tld: looks after a tally file.
//   kalvex-tld pack IN OUT     packs any file into the tally file container
//   kalvex-tld unpack IN OUT   unpacks a container into the plain file
//   kalvex-tld show FILE       prints the tally stored in FILE
#include "tally/file_io.h"
#include "tally/packed_file.h"
#include "tally/str_grid.h"
#include "tally/tally_report.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr int kUsageError = 2;

int usage()
{
    std::cerr << "usage: kalvex-tld pack IN OUT\n"
                 "       kalvex-tld unpack IN OUT\n"
                 "       kalvex-tld show FILE\n";
    return kUsageError;
}

void show(const std::string &file)
{
    std::string packed;
    if (!kalvex::readWholeFile(file, packed))
        throw kalvex::ELzrw1Exception("Lzrw1 (de)compression : Failed to open input file : " +
                                      file);
    kalvex::StrGrid table;
    kalvex::parseStrGrid(table, kalvex::unpackBytes(packed, file), file);
    std::cout << kalvex::tallyReport(table);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return usage();
    const std::string_view command = argv[1];
    try {
        if ((command == "pack" || command == "unpack") && argc == 4) {
            kalvex::PackedFile doit;
            doit.inputPath = argv[2];
            doit.outputPath = argv[3];
            if (command == "pack")
                doit.compress();
            else
                doit.decompress();
            return 0;
        }
        if (command == "show" && argc == 3) {
            show(argv[2]);
            std::cout.flush();
            return std::cout ? 0 : 1;
        }
        if (command == "--help" || command == "-h") {
            usage();
            return 0;
        }
        return usage();
    } catch (const std::exception &e) {
        std::cerr << "kalvex-tld: " << e.what() << "\n";
        return 1;
    }
}
