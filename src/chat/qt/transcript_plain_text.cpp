#include "chat/qt/transcript_plain_text.h"

#include "net/qt/display_text.h"

#include <algorithm>

namespace kalvex {

TranscriptPlainText::TranscriptPlainText(const Transcript &transcript) : model(transcript) {}

void TranscriptPlainText::keep()
{
    if (kept)
        return;
    kept = true;
    forget();
    itemsAppended(0);
}

void TranscriptPlainText::forget()
{
    lines.clear();
    starts.clear();
    firstItems.clear();
    offsetBase = end = 0;
    itemBase = 0;
}

std::optional<TranscriptPlainText::Change> TranscriptPlainText::itemsAppended(std::size_t firstItem)
{
    if (!kept)
        return std::nullopt;
    const auto &items = model.items();
    Change change{Change::Kind::Inserted, length(), {}};
    for (std::size_t item = firstItem; item < items.size(); ++item) {
        if (items[item].startsLine || lines.empty()) {
            if (!lines.empty()) {
                change.text += QLatin1Char('\n');
                ++end;
            }
            lines.emplace_back();
            starts.push_back(end);
            firstItems.push_back(itemBase + item);
        }
        const QString text = plainText(items[item]);
        lines.back() += text;
        change.text += text;
        end += text.size();
    }
    return change;
}

std::optional<TranscriptPlainText::Change> TranscriptPlainText::itemsDropped(std::size_t count)
{
    if (!kept)
        return std::nullopt;
    // Whole lines go, each with the "\n" that joined it to the next.
    itemBase += count;
    std::size_t gone = 0;
    while (gone < lines.size() && firstItems[gone] < itemBase)
        ++gone;
    if (gone == lines.size())
        return cleared();
    const qint64 newBase = starts[gone];
    Change change{Change::Kind::Removed, 0, text(0, int(newBase - offsetBase))};
    lines.erase(lines.begin(), lines.begin() + std::ptrdiff_t(gone));
    starts.erase(starts.begin(), starts.begin() + std::ptrdiff_t(gone));
    firstItems.erase(firstItems.begin(), firstItems.begin() + std::ptrdiff_t(gone));
    offsetBase = newBase;
    return change;
}

std::optional<TranscriptPlainText::Change> TranscriptPlainText::cleared()
{
    if (!kept)
        return std::nullopt;
    Change change{Change::Kind::Removed, 0, text(0, length())};
    forget();
    return change;
}

int TranscriptPlainText::lineOf(int offset) const
{
    if (lines.empty())
        return 0;
    const qint64 absolute = offsetBase + std::clamp(offset, 0, length());
    const auto after = std::upper_bound(starts.begin(), starts.end(), absolute);
    return std::max(0, int(after - starts.begin()) - 1);
}

int TranscriptPlainText::lineEnd(int line) const
{
    const std::size_t next = std::size_t(line) + 1;
    return next < starts.size() ? int(starts[next] - offsetBase) : length();
}

QString TranscriptPlainText::text(int from, int to) const
{
    from = std::clamp(from, 0, length());
    to = std::clamp(to, from, length());
    QString result;
    if (from == to)
        return result;
    result.reserve(to - from);
    for (int line = lineOf(from); line < lineCount() && lineStart(line) < to; ++line) {
        const int start = lineStart(line);
        const QString &lineText = lines[std::size_t(line)];
        const int first = std::max(from - start, 0);
        const int last = std::min(to - start, int(lineText.size()));
        if (last > first)
            result += QStringView(lineText).mid(first, last - first);
        // The "\n" that ends this line, when it lies in the range.
        if (line + 1 < lineCount() && start + lineText.size() >= from &&
            start + lineText.size() < to)
            result += QLatin1Char('\n');
    }
    return result;
}

std::size_t TranscriptPlainText::lineItemEnd(std::size_t line) const
{
    return line + 1 < firstItems.size() ? firstItems[line + 1] - itemBase : model.items().size();
}

int TranscriptPlainText::offsetOf(TextPosition position) const
{
    if (lines.empty())
        return 0;
    const auto &items = model.items();
    const std::size_t item = std::min(position.item, items.size() - 1);
    const auto after = std::upper_bound(firstItems.begin(), firstItems.end(), itemBase + item);
    const std::size_t line =
        std::size_t(std::max<std::ptrdiff_t>(0, after - firstItems.begin() - 1));
    int offset = lineStart(int(line));
    for (std::size_t earlier = firstItems[line] - itemBase; earlier < item; ++earlier)
        offset += plainLength(items[earlier]);
    if (items[item].kind == TranscriptItem::Kind::Text)
        offset += std::clamp(position.offset, 0, plainLength(items[item]));
    return offset;
}

TextPosition TranscriptPlainText::positionOf(int offset) const
{
    if (lines.empty())
        return {};
    const auto &items = model.items();
    const std::size_t line = std::size_t(lineOf(offset));
    int left = std::clamp(offset, 0, length()) - lineStart(int(line));
    const std::size_t endItem = lineItemEnd(line);
    for (std::size_t item = firstItems[line] - itemBase; item < endItem; ++item) {
        const int size = plainLength(items[item]);
        if (left < size)
            return {item, left};
        left -= size;
    }
    const std::size_t last = endItem - 1;
    const TranscriptItem &lastItem = items[last];
    return {last, lastItem.kind == TranscriptItem::Kind::Picture ? 1 : plainLength(lastItem)};
}

std::optional<TranscriptPlainText::Run> TranscriptPlainText::runAt(int offset) const
{
    if (offset < 0 || offset >= length())
        return std::nullopt;
    const auto &items = model.items();
    const std::size_t line = std::size_t(lineOf(offset));
    int start = lineStart(int(line));
    const std::size_t endItem = lineItemEnd(line);
    for (std::size_t item = firstItems[line] - itemBase; item < endItem; ++item) {
        const int size = plainLength(items[item]);
        if (offset < start + size)
            return Run{item, start, start + size};
        start += size;
    }
    return std::nullopt;
}

int TranscriptPlainText::plainLength(const TranscriptItem &item)
{
    return int(plainText(item).size());
}

QString TranscriptPlainText::plainText(const TranscriptItem &item)
{
    // Pictures add nothing, as in Copy.
    return item.kind == TranscriptItem::Kind::Picture ? QString() : displayText(item.text);
}

} // namespace kalvex
