#include "chat/qt/transcript_layout.h"

#include "chat/qt/chat_pictures.h"
#include "chat/qt/chat_text.h"

#include <algorithm>
#include <cmath>

namespace kalvex {

namespace {

// Lines kept laid out for drawing and hit testing; about a few screens.
constexpr std::size_t kCachedLines = 400;
// Words longer than this are measured character by character.
constexpr int kLongWord = 200;
// Words whose widths are kept per style (a few hundred kilobytes at most);
// beyond, the style starts afresh.
constexpr qsizetype kKeptWords = 4096;

int trailingBlanks(const QString &text, int start, int end)
{
    int count = 0;
    while (end - count > start && text.at(end - count - 1) == QLatin1Char(' '))
        ++count;
    return count;
}

} // namespace

TranscriptLayout::TranscriptLayout(const Transcript &transcript, const QPaintDevice *device)
    : model(transcript), device(device), valid(false)
{}

void TranscriptLayout::setWidth(qreal width)
{
    width = std::max<qreal>(width, 1);
    if (width == available)
        return;
    available = width;
    valid = false;
}

void TranscriptLayout::invalidate()
{
    valid = false;
    fontsValid = false;
}

bool TranscriptLayout::isExact(std::size_t index)
{
    ensureLaidOut();
    return lines.at(index).exact;
}

bool TranscriptLayout::isComplete()
{
    ensureLaidOut();
    return estimatedLines == 0;
}

bool TranscriptLayout::layOutSome(std::size_t count)
{
    ensureLaidOut();
    bool changed = false;
    for (; count > 0 && estimatedLines > 0; --count) {
        while (estimatedBelow > 0 && lines[estimatedBelow - 1].exact)
            --estimatedBelow;
        if (estimatedBelow == 0)
            break;
        const std::size_t index = --estimatedBelow;
        const qreal before = lines[index].height;
        setExactHeight(index, layoutLine(lines[index].firstItem, lineEnd(index))->height);
        changed = changed || lines[index].height != before;
    }
    return changed;
}

void TranscriptLayout::setExactHeight(std::size_t index, qreal height)
{
    LineHeight &entry = lines[index];
    if (!entry.exact) {
        entry.exact = true;
        --estimatedLines;
    }
    if (entry.height != height) {
        entry.height = height;
        topsValid = std::min(topsValid, index + 1);
    }
}

void TranscriptLayout::ensureTops()
{
    for (; topsValid < lines.size(); ++topsValid) {
        const std::size_t i = topsValid;
        lines[i].top = i == 0 ? 0 : lines[i - 1].top + lines[i - 1].height;
    }
}

void TranscriptLayout::itemsAppended(std::size_t firstItem)
{
    if (valid)
        appendLines(firstItem);
}

qreal TranscriptLayout::itemsDropped(std::size_t count)
{
    if (!valid) {
        cache.clear();
        return 0;
    }
    ensureTops();
    std::size_t gone = 0;
    while (gone < lines.size() && lines[gone].firstItem < count) {
        if (!lines[gone].exact)
            --estimatedLines;
        ++gone;
    }
    estimatedBelow = estimatedBelow > gone ? estimatedBelow - gone : 0;
    const qreal height = gone < lines.size() ? lines[gone].top
                         : lines.empty()     ? 0
                                             : lines.back().top + lines.back().height;
    lines.erase(lines.begin(), lines.begin() + std::ptrdiff_t(gone));
    for (LineHeight &line : lines) {
        line.firstItem -= count;
        line.top -= height;
    }
    topsValid = lines.size();
    // Lines laid out for drawing keep their rows under their new numbers.
    std::unordered_map<std::size_t, std::unique_ptr<Line>> kept;
    for (auto &[index, line] : cache) {
        if (index < gone)
            continue;
        line->firstItem -= count;
        for (Row &row : line->rows) {
            for (Fragment &fragment : row.fragments)
                fragment.item -= count;
        }
        kept.emplace(index - gone, std::move(line));
    }
    cache = std::move(kept);
    return height;
}

void TranscriptLayout::clear()
{
    lines.clear();
    cache.clear();
    valid = true;
    topsValid = estimatedLines = estimatedBelow = 0;
}

qreal TranscriptLayout::height()
{
    ensureLaidOut();
    ensureTops();
    return lines.empty() ? 0 : lines.back().top + lines.back().height;
}

std::size_t TranscriptLayout::lineCount()
{
    ensureLaidOut();
    return lines.size();
}

qreal TranscriptLayout::lineTop(std::size_t line)
{
    ensureLaidOut();
    ensureTops();
    return lines.at(line).top;
}

std::size_t TranscriptLayout::lineAt(qreal y)
{
    ensureLaidOut();
    ensureTops();
    if (lines.empty())
        return 0;
    auto after =
        std::upper_bound(lines.begin(), lines.end(), y,
                         [](qreal value, const LineHeight &line) { return value < line.top; });
    return after == lines.begin() ? 0 : std::size_t(after - lines.begin()) - 1;
}

std::size_t TranscriptLayout::lineOfItem(std::size_t item)
{
    ensureLaidOut();
    auto after = std::upper_bound(
        lines.begin(), lines.end(), item,
        [](std::size_t value, const LineHeight &line) { return value < line.firstItem; });
    return after == lines.begin() ? 0 : std::size_t(after - lines.begin()) - 1;
}

std::size_t TranscriptLayout::lineEnd(std::size_t line) const
{
    return line + 1 < lines.size() ? lines[line + 1].firstItem : model.items().size();
}

const TranscriptLayout::Line &TranscriptLayout::line(std::size_t index)
{
    ensureLaidOut();
    auto found = cache.find(index);
    if (found != cache.end())
        return *found->second;
    if (cache.size() >= kCachedLines)
        cache.clear();
    auto made = layoutLine(lines.at(index).firstItem, lineEnd(index));
    setExactHeight(index, made->height);
    return *cache.emplace(index, std::move(made)).first->second;
}

const QFont &TranscriptLayout::font(int style)
{
    ensureFonts();
    return fonts.at(style);
}

const QFontMetricsF &TranscriptLayout::metrics(int style)
{
    ensureFonts();
    return *fontMetrics.at(style);
}

QString TranscriptLayout::itemText(std::size_t item) const
{
    const TranscriptItem &entry = model.items().at(item);
    if (entry.kind == TranscriptItem::Kind::Picture)
        return {};
    return displayText(entry.text);
}

int TranscriptLayout::itemLength(std::size_t item) const
{
    const TranscriptItem &entry = model.items().at(item);
    return entry.kind == TranscriptItem::Kind::Picture ? 1 : int(itemText(item).size());
}

void TranscriptLayout::ensureFonts()
{
    if (fontsValid)
        return;
    for (int style = 0; style < kStyleCount; ++style) {
        const TextStyle &textStyle = model.style(style);
        QFont font(QString::fromStdString(textStyle.font));
        font.setPointSizeF(std::max(1, textStyle.size));
        font.setBold(textStyle.bold);
        font.setItalic(textStyle.italic);
        font.setUnderline(textStyle.underline);
        if (!fontMetrics[style] || font != fonts[style])
            wordWidths[style].clear();
        fonts[style] = font;
        fontMetrics[style] = std::make_unique<QFontMetricsF>(font, device);
    }
    fontsValid = true;
}

TranscriptLayout::WordWidth TranscriptLayout::wordWidth(int style, const QString &word, int blanks)
{
    QHash<QString, WordWidth> &known = wordWidths[style];
    const auto found = known.constFind(word);
    if (found != known.constEnd())
        return *found;
    const QFontMetricsF &fm = metrics(style);
    const qreal visible = fm.horizontalAdvance(blanks ? word.left(word.size() - blanks) : word);
    const WordWidth measured{visible, blanks ? fm.horizontalAdvance(word) : visible};
    if (known.size() >= kKeptWords)
        known.clear();
    known.insert(word, measured);
    return measured;
}

void TranscriptLayout::ensureLaidOut()
{
    if (valid)
        return;
    valid = true;
    estimateAll();
}

void TranscriptLayout::estimateAll()
{
    lines.clear();
    cache.clear();
    const auto &items = model.items();
    for (std::size_t start = 0; start < items.size();) {
        std::size_t end = start + 1;
        while (end < items.size() && !items[end].startsLine)
            ++end;
        lines.push_back({start, 0, estimatedHeight(start, end), false});
        start = end;
    }
    topsValid = 0;
    estimatedLines = estimatedBelow = lines.size();
}

qreal TranscriptLayout::estimatedHeight(std::size_t firstItem, std::size_t endItem)
{
    // Bytes stand for characters and every row is as tall as a system line:
    // near enough for a scroll range that is corrected as lines are laid out.
    const auto &items = model.items();
    std::size_t characters = 0;
    for (std::size_t item = firstItem; item < endItem; ++item)
        characters +=
            items[item].kind == TranscriptItem::Kind::Picture ? 2 : items[item].text.size();
    const QFontMetricsF &fm = metrics(kSystemStyle);
    const qreal rows =
        std::max<qreal>(1, std::ceil(qreal(characters) * fm.averageCharWidth() / available));
    return rows * (fm.ascent() + fm.descent() + std::max<qreal>(fm.leading(), 0));
}

void TranscriptLayout::appendLines(std::size_t firstItem)
{
    const auto &items = model.items();
    // Items that continue the last line make it be laid out again.
    if (firstItem < items.size() && !items[firstItem].startsLine && !lines.empty()) {
        firstItem = lines.back().firstItem;
        cache.erase(lines.size() - 1);
        if (!lines.back().exact)
            --estimatedLines;
        lines.pop_back();
        topsValid = std::min(topsValid, lines.size());
        estimatedBelow = std::min(estimatedBelow, lines.size());
    }
    std::size_t start = firstItem;
    while (start < items.size()) {
        std::size_t end = start + 1;
        while (end < items.size() && !items[end].startsLine)
            ++end;
        const bool topKnown = topsValid == lines.size();
        const qreal top = lines.empty() ? 0 : lines.back().top + lines.back().height;
        const auto laidOut = layoutLine(start, end);
        lines.push_back({start, topKnown ? top : 0, laidOut->height, true});
        if (topKnown)
            topsValid = lines.size();
        start = end;
    }
}

std::unique_ptr<TranscriptLayout::Line> TranscriptLayout::layoutLine(std::size_t firstItem,
                                                                     std::size_t endItem)
{
    const auto &items = model.items();
    auto line = std::make_unique<Line>();
    line->firstItem = firstItem;
    line->texts.reserve(endItem - firstItem);

    Row row;
    qreal x = 0;
    qreal ascent = 0;
    qreal descent = 0;
    qreal leading = 0;
    qreal top = 0;
    const auto finishRow = [&] {
        if (row.fragments.empty() && ascent == 0) {
            const QFontMetricsF &fm = metrics(kSystemStyle);
            ascent = fm.ascent();
            descent = fm.descent();
        }
        row.top = top;
        row.baseline = ascent;
        row.height = ascent + descent + leading;
        top += row.height;
        line->rows.push_back(std::move(row));
        row = Row();
        x = ascent = descent = leading = 0;
    };
    const auto place = [&](std::size_t item, int start, int length, qreal width, bool picture) {
        if (!row.fragments.empty()) {
            Fragment &last = row.fragments.back();
            if (!picture && !last.picture && last.item == item &&
                last.start + last.length == start) {
                last.length += length;
                last.width += width;
                x += width;
                return;
            }
        }
        row.fragments.push_back({item, start, length, x, width, picture});
        x += width;
    };

    for (std::size_t item = firstItem; item < endItem; ++item) {
        const TranscriptItem &entry = items[item];
        line->texts.push_back(itemText(item));
        if (entry.kind == TranscriptItem::Kind::Picture) {
            if (x > 0 && x + kSmileyWidth > available)
                finishRow();
            place(item, 0, 1, kSmileyWidth, true);
            ascent = std::max<qreal>(ascent, kSmileyHeight - kPictureDescent);
            descent = std::max<qreal>(descent, kPictureDescent);
            continue;
        }
        const QString &text = line->texts.back();
        const QFontMetricsF &fm = metrics(entry.style);
        const auto useFont = [&] {
            ascent = std::max(ascent, fm.ascent());
            descent = std::max(descent, fm.descent());
            leading = std::max(leading, std::max<qreal>(fm.leading(), 0));
        };
        int start = 0;
        while (start < text.size()) {
            int end = text.indexOf(QLatin1Char(' '), start);
            end = end < 0 ? int(text.size()) : end + 1;
            const int blanks = trailingBlanks(text, start, end);
            if (end - start - blanks > kLongWord) {
                // Measured a character at a time, so that a huge word costs
                // no more than its length.
                qreal width = 0;
                int piece = start;
                for (int i = start; i < end;) {
                    const int length = text.at(i).isHighSurrogate() && i + 1 < end ? 2 : 1;
                    const qreal advance = length == 1 ? fm.horizontalAdvance(text.at(i))
                                                      : fm.horizontalAdvance(text.mid(i, 2));
                    if (text.at(i) != QLatin1Char(' ') && x + width + advance > available &&
                        x + width > 0) {
                        if (i > piece) {
                            useFont();
                            place(item, piece, i - piece, width, false);
                        }
                        finishRow();
                        piece = i;
                        width = 0;
                    }
                    width += advance;
                    i += length;
                }
                useFont();
                place(item, piece, end - piece, width, false);
                start = end;
                continue;
            }
            const auto [visible, full] =
                wordWidth(entry.style, text.mid(start, end - start), blanks);
            if (x > 0 && x + visible > available)
                finishRow();
            if (visible <= available) {
                useFont();
                place(item, start, end - start, full, false);
                start = end;
                continue;
            }
            // A word wider than the pane is broken between characters.
            int piece = start;
            while (piece < end) {
                int low = 1;
                int high = end - piece;
                while (low < high) {
                    const int mid = (low + high + 1) / 2;
                    if (fm.horizontalAdvance(text.mid(piece, mid)) <= available - x)
                        low = mid;
                    else
                        high = mid - 1;
                }
                if (low < end - piece && text.at(piece + low - 1).isHighSurrogate())
                    low = low > 1 ? low - 1 : low + 1;
                useFont();
                place(item, piece, low, fm.horizontalAdvance(text.mid(piece, low)), false);
                piece += low;
                if (piece < end)
                    finishRow();
            }
            start = end;
        }
    }
    finishRow();
    line->height = top;
    return line;
}

TextPosition TranscriptLayout::positionAt(QPointF point)
{
    ensureLaidOut();
    if (lines.empty())
        return {};
    const std::size_t index = lineAt(point.y());
    const Line &laidOut = line(index);
    const qreal y = point.y() - lines[index].top;
    const Row *row = &laidOut.rows.back();
    if (y < 0) {
        row = &laidOut.rows.front();
    } else {
        for (const Row &candidate : laidOut.rows) {
            if (y < candidate.top + candidate.height) {
                row = &candidate;
                break;
            }
        }
    }
    if (row->fragments.empty())
        return {laidOut.firstItem, 0};
    for (const Fragment &fragment : row->fragments) {
        if (point.x() >= fragment.x + fragment.width)
            continue;
        if (fragment.picture)
            return {fragment.item, point.x() < fragment.x + fragment.width / 2 ? 0 : 1};
        if (point.x() <= fragment.x)
            return {fragment.item, fragment.start};
        // The first character boundary right of the point, then the nearer
        // of it and the one before.
        const QString &text = laidOut.texts[fragment.item - laidOut.firstItem];
        const QFontMetricsF &fm = metrics(model.items()[fragment.item].style);
        const auto edge = [&](int count) {
            return fragment.x + fm.horizontalAdvance(text.mid(fragment.start, count));
        };
        int low = 1;
        int high = fragment.length;
        while (low < high) {
            const int mid = (low + high) / 2;
            if (edge(mid) > point.x())
                high = mid;
            else
                low = mid + 1;
        }
        const qreal after = edge(low);
        if (point.x() >= after)
            return {fragment.item, fragment.start + fragment.length};
        const qreal before = low > 1 ? edge(low - 1) : fragment.x;
        const bool nearerBefore = point.x() - before < after - point.x();
        return {fragment.item, fragment.start + low - (nearerBefore ? 1 : 0)};
    }
    const Fragment &last = row->fragments.back();
    return {last.item, last.start + last.length};
}

std::optional<std::size_t> TranscriptLayout::itemAt(QPointF point)
{
    ensureLaidOut();
    if (lines.empty() || point.y() < 0 || point.y() >= height())
        return std::nullopt;
    const std::size_t index = lineAt(point.y());
    const Line &laidOut = line(index);
    const qreal y = point.y() - lines[index].top;
    for (const Row &row : laidOut.rows) {
        if (y < row.top || y >= row.top + row.height)
            continue;
        for (const Fragment &fragment : row.fragments) {
            if (point.x() >= fragment.x && point.x() < fragment.x + fragment.width)
                return fragment.item;
        }
    }
    return std::nullopt;
}

qreal TranscriptLayout::offsetX(const Line &line, const Fragment &fragment, int offset)
{
    if (fragment.picture)
        return fragment.x + (offset > 0 ? fragment.width : 0);
    const int count = std::clamp(offset - fragment.start, 0, fragment.length);
    if (count == 0)
        return fragment.x;
    if (count == fragment.length)
        return fragment.x + fragment.width;
    const QString &text = line.texts[fragment.item - line.firstItem];
    return fragment.x + metrics(model.items()[fragment.item].style)
                            .horizontalAdvance(text.mid(fragment.start, count));
}

} // namespace kalvex
