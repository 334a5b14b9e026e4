#pragma once
// The help window's pages: button caption and page number, in button order.
// The captions are shown translated (context "HelpPage").

#include "net/shown_text.h"

#include <array>

namespace kalvex {

struct HelpPage
{
    int number;
    const char *caption;
};

inline constexpr std::array<HelpPage, 7> kHelpPages = {{
    {1, QT_TRANSLATE_NOOP("HelpPage", "Overview")},
    {2, QT_TRANSLATE_NOOP("HelpPage", "Connecting")},
    {3, QT_TRANSLATE_NOOP("HelpPage", "Game Play")},
    {4, QT_TRANSLATE_NOOP("HelpPage", "Scoring")},
    {5, QT_TRANSLATE_NOOP("HelpPage", "Documentation")},
    {6, QT_TRANSLATE_NOOP("HelpPage", "License")},
    {11, QT_TRANSLATE_NOOP("HelpPage", "The Lobby")},
}};

} // namespace kalvex
