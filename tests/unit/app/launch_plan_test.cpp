#include "app/launch_plan.h"

#include <gtest/gtest.h>

using namespace kalvex;

TEST(LaunchPlan, NoArgumentsIsASoloGameAsYouOnLoopbackWithTheDownloadWindow)
{
    const LaunchPlan plan = planLaunch({});
    EXPECT_EQ(plan.mode, LaunchMode::Solo);
    EXPECT_EQ(plan.loadingLine, "0+Loading Solo Game..Please wait.");
    EXPECT_EQ(plan.playername, "You");
    EXPECT_EQ(plan.hostaddress, "127.0.0.1");
    EXPECT_TRUE(plan.showDownload);
    EXPECT_FALSE(plan.openLobbyLink);
}

TEST(LaunchPlan, ExactlyLowerCaseTrueHostsAnythingElseJoins)
{
    const LaunchPlan host = planLaunch({"Ann", "192.0.2.1", "true"});
    EXPECT_EQ(host.mode, LaunchMode::Host);
    EXPECT_EQ(host.playername, "Ann");
    EXPECT_EQ(host.hostaddress, "192.0.2.1");
    EXPECT_TRUE(host.openLobbyLink);
    EXPECT_FALSE(host.showDownload);
    EXPECT_EQ(host.loadingLine, "0+Loading Multi-player Game.. Please Wait.");
    for (const char *word : {"TRUE", "True", "true ", "1", "", "false"}) {
        const LaunchPlan join = planLaunch({"Ann", "127.0.0.1", word});
        EXPECT_EQ(join.mode, LaunchMode::Join) << word;
        EXPECT_TRUE(join.openLobbyLink);
    }
}

TEST(LaunchPlan, ArgumentsPastTheThirdAreIgnored)
{
    const LaunchPlan plan = planLaunch({"Ann", "h", "true", "x", "y"});
    EXPECT_EQ(plan.mode, LaunchMode::Host);
    EXPECT_EQ(plan.playername, "Ann");
}

TEST(LaunchPlan, OneOrTwoArgumentsOnlyShowTheLoadingLine)
{
    for (const auto &arguments :
         {std::vector<std::string>{"a"}, std::vector<std::string>{"a", "b"}}) {
        const LaunchPlan plan = planLaunch(arguments);
        EXPECT_EQ(plan.mode, LaunchMode::Incomplete);
        EXPECT_EQ(plan.loadingLine, "0+Loading Multi-player Game.. Please Wait.");
        EXPECT_TRUE(plan.playername.empty());
        EXPECT_FALSE(plan.openLobbyLink);
        EXPECT_FALSE(plan.showDownload);
    }
}

TEST(PortFromText, ValidPortsOnlyOtherwiseTheFallback)
{
    EXPECT_EQ(portFromText(nullptr, 7772), 7772);
    EXPECT_EQ(portFromText("17772", 7772), 17772);
    EXPECT_EQ(portFromText("65535", 1), 65535);
    for (const char *bad : {"", "0", "65536", "-1", "12ab", " 80", "port"})
        EXPECT_EQ(portFromText(bad, 9001), 9001) << bad;
}

TEST(InformationText, OnlyALoneHelpOrVersionIsAnswered)
{
    const auto version = informationText({"--version"});
    ASSERT_TRUE(version);
    EXPECT_EQ(*version, "kalvex 1.0.5\n");
    const auto help = informationText({"--help"});
    ASSERT_TRUE(help);
    EXPECT_EQ(help->rfind("Usage: kalvex", 0), 0u);
    EXPECT_NE(help->find("--version"), std::string::npos);
    EXPECT_EQ(help->back(), '\n');
    for (const auto &arguments :
         {std::vector<std::string>{}, std::vector<std::string>{"--Help"},
          std::vector<std::string>{"-h"}, std::vector<std::string>{"--help", "x"},
          std::vector<std::string>{"Ann", "--version"},
          std::vector<std::string>{"--help", "127.0.0.1", "true"}})
        EXPECT_FALSE(informationText(arguments)) << arguments.size();
}
