#include "chat/qt/chat_text.h"

#include <array>

namespace kalvex {

namespace {

struct SystemRole
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// clScrollBar .. clInfoBk, in the order of their values 0x80000000 upwards.
constexpr std::array<SystemRole, 25> kSystemRoles = {{
    {QPalette::Active, QPalette::Button},          // clScrollBar
    {QPalette::Active, QPalette::Window},          // clBackground
    {QPalette::Active, QPalette::Highlight},       // clActiveCaption
    {QPalette::Inactive, QPalette::Mid},           // clInactiveCaption
    {QPalette::Active, QPalette::Window},          // clMenu
    {QPalette::Active, QPalette::Base},            // clWindow
    {QPalette::Active, QPalette::Shadow},          // clWindowFrame
    {QPalette::Active, QPalette::WindowText},      // clMenuText
    {QPalette::Active, QPalette::Text},            // clWindowText
    {QPalette::Active, QPalette::HighlightedText}, // clCaptionText
    {QPalette::Active, QPalette::Window},          // clActiveBorder
    {QPalette::Inactive, QPalette::Window},        // clInactiveBorder
    {QPalette::Active, QPalette::Dark},            // clAppWorkSpace
    {QPalette::Active, QPalette::Highlight},       // clHighlight
    {QPalette::Active, QPalette::HighlightedText}, // clHighlightText
    {QPalette::Active, QPalette::Button},          // clBtnFace
    {QPalette::Active, QPalette::Dark},            // clBtnShadow
    {QPalette::Disabled, QPalette::Text},          // clGrayText
    {QPalette::Active, QPalette::ButtonText},      // clBtnText
    {QPalette::Inactive, QPalette::WindowText},    // clInactiveCaptionText
    {QPalette::Active, QPalette::Light},           // clBtnHighlight
    {QPalette::Active, QPalette::Shadow},          // cl3DDkShadow
    {QPalette::Active, QPalette::Midlight},        // cl3DLight
    {QPalette::Active, QPalette::ToolTipText},     // clInfoText
    {QPalette::Active, QPalette::ToolTipBase},     // clInfoBk
}};

constexpr ColourValue kSystemColourBase = 0x80000000;
constexpr ColourValue kColourNone = 0x1FFFFFFF;

} // namespace

QColor toQColor(ColourValue value, const QPalette &palette)
{
    if (value >= kSystemColourBase && value < kSystemColourBase + kSystemRoles.size()) {
        const SystemRole &system = kSystemRoles[value - kSystemColourBase];
        return palette.color(system.group, system.role);
    }
    if (value == kColourNone)
        return palette.color(QPalette::Active, QPalette::Text);
    return rgbColour(value);
}

ColourValue toColourValue(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return ColourValue(rgb.red()) | ColourValue(rgb.green()) << 8 | ColourValue(rgb.blue()) << 16;
}

} // namespace kalvex
