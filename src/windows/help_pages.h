#pragma once
// The help window's pages: button caption and page number, in button order.

#include <array>
#include <string_view>

namespace kalvex {

struct HelpPage
{
    int number;
    std::string_view caption;
};

inline constexpr std::array<HelpPage, 7> kHelpPages = {{
    {1, "Overview"},
    {2, "Connecting"},
    {3, "Game Play"},
    {4, "Scoring"},
    {5, "Documentation"},
    {6, "License"},
    {11, "The Lobby"},
}};

} // namespace kalvex
