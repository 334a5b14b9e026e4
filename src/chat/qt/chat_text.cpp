#include "chat/qt/chat_text.h"

#include <QStringDecoder>

#include <array>

namespace kalvex {

namespace {

// Windows-1252 at 0x80 to 0x9F; the other bytes equal their Latin-1 code.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

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

QString decodeChatText(std::string_view bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (!utf8.hasError())
        return text;
    text.clear();
    text.reserve(qsizetype(bytes.size()));
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte >= 0x80 && byte < 0xA0 ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

std::string encodeChatText(const QString &text)
{
    return text.toStdString();
}

QColor toQColor(ColourValue value, const QPalette &palette)
{
    if (value >= kSystemColourBase && value < kSystemColourBase + kSystemRoles.size()) {
        const SystemRole &system = kSystemRoles[value - kSystemColourBase];
        return palette.color(system.group, system.role);
    }
    if (value == kColourNone)
        return palette.color(QPalette::Active, QPalette::Text);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

ColourValue toColourValue(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return ColourValue(rgb.red()) | ColourValue(rgb.green()) << 8 | ColourValue(rgb.blue()) << 16;
}

} // namespace kalvex
