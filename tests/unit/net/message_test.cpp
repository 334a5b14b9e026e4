#include "net/commands.h"
#include "net/message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kalvex;

TEST(Message, ClosedAndOpenTailsAndTheTerminator)
{
    EXPECT_EQ(Message("CMD_yourresult").field(2).field(5).field(1).field(0).field(3).wire(),
              "CMD_yourresult+2+5+1+0+3+\xFF");
    EXPECT_EQ(Message("CMD_sendlogininfo").open(2).wire(), "CMD_sendlogininfo+2\xFF");
    EXPECT_EQ(Message("CMD_full").wire(), "CMD_full+\xFF");
    EXPECT_EQ(Message("CMD_chat").field(4).open("Ann chats: a+b|clRed").wire(),
              "CMD_chat+4+Ann chats: a+b|clRed\xFF");
    EXPECT_EQ(Message("CMD_loadgame").field(-3).wire(), "CMD_loadgame+-3+\xFF");
}

TEST(Message, LoginCarriesTwoTerminators)
{
    const std::string loginname = std::string("Ann") + kTerminator;
    EXPECT_EQ(Message("CMD_logininfo").field(2).field(kVersion).open(loginname).wire(),
              "CMD_logininfo+2+1.0.5+Ann\xFF\xFF");
}

TEST(FieldReader, FieldsFromTheLeftWithAnOpenLastField)
{
    FieldReader reader("4+Ann chats: 1+1=2|clRed");
    EXPECT_EQ(reader.number(), 4);
    EXPECT_EQ(reader.rest(), "Ann chats: 1+1=2|clRed");
}

TEST(FieldReader, NoPlusLeftGivesAnEmptyFieldAndKeepsTheRemainder)
{
    FieldReader reader("2");
    EXPECT_EQ(reader.text(), "");
    EXPECT_EQ(reader.rest(), "2");
    // A numeric open last field is read by appending "+" to the remainder.
    const std::string withPlus = std::string(reader.rest()) + "+";
    FieldReader padded(withPlus);
    EXPECT_EQ(padded.number(), 2);
}

TEST(FieldReader, EmptyOrNonNumericFieldIsAConversionError)
{
    FieldReader reader("+x1+");
    try {
        reader.number();
        FAIL() << "an empty field must not convert";
    } catch (const ConvertError &e) {
        EXPECT_STREQ(e.what(), "'' is not a valid integer value");
    }
    try {
        reader.number();
        FAIL() << "x1 must not convert";
    } catch (const ConvertError &e) {
        EXPECT_STREQ(e.what(), "'x1' is not a valid integer value");
        EXPECT_EQ(e.offendingText(), "x1");
    }
}

TEST(FieldReader, ShiftedFieldsAfterAPlusInAName)
{
    FieldReader reader("A+nn+3+60+0+0+");
    EXPECT_EQ(reader.text(), "A");
    EXPECT_THROW(reader.number(), ConvertError);
}

TEST(StrToInt, AcceptsDecimalSignsBlanksAndHex)
{
    EXPECT_EQ(strToInt("120"), 120);
    EXPECT_EQ(strToInt("-4"), -4);
    EXPECT_EQ(strToInt("+7"), 7);
    EXPECT_EQ(strToInt("  12"), 12);
    EXPECT_EQ(strToInt("$1F"), 31);
    EXPECT_EQ(strToInt("0x1f"), 31);
    EXPECT_EQ(strToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(strToInt("2147483647"), 2147483647);
    EXPECT_EQ(strToInt("-2147483648"), -2147483647 - 1);
}

TEST(StrToInt, RejectsEverythingElse)
{
    for (const char *bad : {"", " ", "-", "$", "0x", "12 ", "1.5", "2147483648", "-2147483649",
                            "$100000000", "abc", "1e3", "\xFF"}) {
        int value = 99;
        EXPECT_FALSE(tryStrToInt(bad, value)) << bad;
        EXPECT_EQ(value, 99);
        EXPECT_THROW(strToInt(bad), ConvertError) << bad;
    }
}

TEST(Catalogues, BothSidesKnowTheirCommandWordsInTheFixedOrder)
{
    const std::vector<std::string_view> client(kClientCommands.begin(), kClientCommands.end());
    EXPECT_EQ(client,
              (std::vector<std::string_view>{"CMD_sendlogininfo",    "CMD_chat",
                                             "CMD_action",           "CMD_newplayerinfo",
                                             "CMD_havewrongversion", "CMD_wrongversion",
                                             "CMD_existingplayers",  "CMD_playerdisconnected",
                                             "CMD_startgame",        "CMD_nextplayer",
                                             "CMD_winner",           "CMD_full",
                                             "CMD_justwatching",     "CMD_startround",
                                             "CMD_yourresult",       "CMD_gotit",
                                             "CMD_nomoreguesses",    "CMD_endround",
                                             "CMD_tiegame",          "CMD_timeup",
                                             "CMD_loadgame",         "CMD_didntgetit",
                                             "CMD_gottime",          "CMD_setbonus",
                                             "CMD_playasound"}));
    const std::vector<std::string_view> server(kServerCommands.begin(), kServerCommands.end());
    EXPECT_EQ(server, (std::vector<std::string_view>{"CMD_logininfo", "CMD_kickhim", "CMD_chat",
                                                     "CMD_action", "CMD_startgame", "CMD_justwatch",
                                                     "CMD_checkit", "CMD_playasound"}));
}
