#include "tally/str_grid.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

using test::TempDir;

StrGrid exampleTable()
{
    StrGrid g(9, 2);
    const char *row0[] = {"0", "3", "1", "2", "5", "0", "0", "0", "0"};
    const char *row1[] = {"Ann", "2", "1", "1", "0", "2", "1", "1", "0"};
    for (int c = 0; c < 9; ++c) {
        g.cell(c, 0) = row0[c];
        g.cell(c, 1) = row1[c];
    }
    return g;
}

std::string lines(std::initializer_list<const char *> list)
{
    std::string s;
    for (const char *l : list)
        s += std::string(l) + "\r\n";
    return s;
}

std::string loadError(std::string_view text)
{
    StrGrid g;
    try {
        parseStrGrid(g, text, "t.txt");
    } catch (const GridFileError &e) {
        return e.what();
    }
    return "no error";
}

TEST(GridText, WritesCellsColumnByColumnWithCrLf)
{
    EXPECT_EQ(formatStrGrid(exampleTable()),
              lines({"9", "2", "0", "Ann", "3", "2", "1", "1", "2", "1",
                     "5", "0", "0", "2",   "0", "1", "0", "1", "0", "0"}));
    StrGrid oneRow(9, 1);
    oneRow.cell(4, 0) = "x";
    const std::string text = formatStrGrid(oneRow);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11);
    EXPECT_EQ(text, lines({"9", "1", "", "", "", "", "x", "", "", "", ""}));
}

TEST(GridText, ReadsBackWhatItWrote)
{
    StrGrid g = exampleTable();
    g.cell(0, 1) = "  Ann Lee\t ";
    g.cell(3, 0) = "";
    StrGrid back;
    parseStrGrid(back, formatStrGrid(g));
    EXPECT_EQ(back, g);
}

TEST(GridText, BytesALineCannotCarryAreWrittenAsBlanks)
{
    StrGrid g(2, 3);
    g.cell(0, 0) = "Al\x1A"
                   "ice";
    g.cell(0, 1) = "Ca\rrl";
    g.cell(0, 2) = "\nLi\r\nne\n";
    g.cell(1, 0) = "1";
    g.cell(1, 1) = "2";
    g.cell(1, 2) = "3";
    EXPECT_EQ(formatStrGrid(g), lines({"2", "3", "Al ice", "Ca rl", " Li  ne ", "1", "2", "3"}));

    StrGrid back;
    parseStrGrid(back, formatStrGrid(g));
    ASSERT_EQ(back.rowCount(), 3);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(back.cell(0, r), gridCellText(g.cell(0, r)));
        EXPECT_EQ(back.cell(1, r), g.cell(1, r));
    }
    EXPECT_EQ(gridCellText("plain \t text\x7F\xC3\xA9"), "plain \t text\x7F\xC3\xA9");
}

TEST(GridText, ShortTextsGiveEmptyCellsAndEndOfTextMarkEndsIt)
{
    StrGrid g;
    parseStrGrid(g, "9\r\n2\r\n0\r\nAnn\r\n3");
    EXPECT_EQ(g.colCount(), 9);
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.cell(0, 1), "Ann");
    EXPECT_EQ(g.cell(1, 0), "3");
    EXPECT_EQ(g.cell(1, 1), "");
    EXPECT_EQ(g.cell(8, 1), "");

    parseStrGrid(g, "2\r\n1\r\nab\x1A"
                    "cd\r\nef\r\n");
    EXPECT_EQ(g.cell(0, 0), "ab");
    EXPECT_EQ(g.cell(1, 0), "");

    // Counts may have blanks around them and text after them on their line.
    parseStrGrid(g, "\r\n  2 columns\r\n\t1\r\nx\r\ny\r\n");
    EXPECT_EQ(g.colCount(), 2);
    EXPECT_EQ(g.cell(1, 0), "y");
}

TEST(GridText, BadCountsAreRefusedAndTheGridKept)
{
    EXPECT_EQ(loadError(""), "t.txt : the column count is missing");
    EXPECT_EQ(loadError("9\r\n"), "t.txt : the row count is missing");
    EXPECT_EQ(loadError("nine\r\n2\r\n"),
              "t.txt : the column count 'nine' is not a valid integer value");
    EXPECT_EQ(loadError("9\r\n--2\r\n"),
              "t.txt : the row count '--2' is not a valid integer value");
    EXPECT_EQ(loadError("0\r\n2\r\n"), "t.txt : the column count must be 1 or more, not 0");
    EXPECT_EQ(loadError("9\r\n-3\r\n"), "t.txt : the row count must be 1 or more, not -3");
    EXPECT_EQ(loadError("100000\r\n100000\r\n"),
              "t.txt : the grid of 100000 by 100000 cells is too large");
    EXPECT_EQ(loadError("99999999999\r\n1\r\n"),
              "t.txt : the column count 99999999999 is too large");
    // Line feeds alone: the first count's line runs to the end of the text.
    EXPECT_EQ(loadError("9\n2\n0\n"), "t.txt : the row count is missing");

    StrGrid g = exampleTable();
    EXPECT_THROW(parseStrGrid(g, "9\r\nx\r\n"), GridFileError);
    EXPECT_EQ(g, exampleTable());
}

TEST(GridFile, SavesWholeAndLoads)
{
    TempDir dir;
    const std::string file = dir.path("grid.txt");
    SaveStrGrid(exampleTable(), file);
    EXPECT_EQ(TempDir::read(file), formatStrGrid(exampleTable()));
    StrGrid g;
    LoadStrGrid(g, file);
    EXPECT_EQ(g, exampleTable());
    EXPECT_EQ(dir.entries().size(), 1u);

    EXPECT_THROW(LoadStrGrid(g, dir.path("missing.txt")), GridFileError);
    EXPECT_THROW(SaveStrGrid(g, dir.path("no/such/dir.txt")), GridFileError);
    if (std::filesystem::is_character_file("/dev/full")) {
        EXPECT_THROW(SaveStrGrid(g, "/dev/full"), GridFileError);
    }
}

TEST(GridShape, ResizingKeepsCellsThatStay)
{
    StrGrid g = exampleTable();
    g.setRowCount(3);
    EXPECT_EQ(g.cell(0, 1), "Ann");
    EXPECT_EQ(g.cell(0, 2), "");
    g.setColCount(2);
    EXPECT_EQ(g.cell(1, 1), "2");
    EXPECT_THROW(g.cell(2, 0), std::out_of_range);
    EXPECT_THROW(g.setRowCount(0), std::invalid_argument);
}

} // namespace
} // namespace kalvex
