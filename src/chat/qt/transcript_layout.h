#pragma once
// Lays out a transcript for a given width: each line (an item that starts a
// line and the items that continue it) wraps into rows. Only line heights
// are kept for the whole transcript; the rows of a line are made again when
// it is drawn or hit, so appending a line costs the same however long the
// transcript is. When the width, the text size or a style's font changes,
// every line's height is first estimated from its length; a line is laid
// out for real when it is drawn or hit, or by layOutSome() a batch at a
// time, and its height corrected then. Until then the tops of the lines
// below an estimated one, and the whole height, are estimates too.

#include "chat/transcript.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>

#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

class QPaintDevice;

namespace kalvex {

// A place in the transcript: an item and a character offset in its text
// (a picture has offsets 0 and 1).
struct TextPosition
{
    std::size_t item = 0;
    int offset = 0;

    friend bool operator==(const TextPosition &, const TextPosition &) = default;
    friend bool operator<(const TextPosition &a, const TextPosition &b)
    {
        return a.item != b.item ? a.item < b.item : a.offset < b.offset;
    }
};

class TranscriptLayout
{
public:
    // One piece of an item on one row.
    struct Fragment
    {
        std::size_t item = 0;
        int start = 0;  // first character of the item's text
        int length = 0; // characters; a picture has length 1
        qreal x = 0;
        qreal width = 0;
        bool picture = false;
    };
    struct Row
    {
        qreal top = 0; // from the line's top
        qreal height = 0;
        qreal baseline = 0; // from the row's top
        std::vector<Fragment> fragments;
    };
    struct Line
    {
        std::size_t firstItem = 0;
        std::vector<QString> texts; // decoded text per item of the line
        std::vector<Row> rows;
        qreal height = 0;
    };

    static constexpr qreal kPictureDescent = 3;

    TranscriptLayout(const Transcript &transcript, const QPaintDevice *device);

    // The width available to text (the pane less its margins).
    void setWidth(qreal width);
    qreal width() const { return available; }
    // Fonts or sizes changed: every line is estimated until laid out again.
    void invalidate();
    // A font changed that nothing laid out uses yet.
    void refreshFonts() { fontsValid = false; }
    // Items from firstItem on were appended.
    void itemsAppended(std::size_t firstItem);
    // The first `count` items (whole lines) were dropped. Returns the height
    // that went from the top.
    qreal itemsDropped(std::size_t count);
    void clear();

    qreal height();
    std::size_t lineCount();
    qreal lineTop(std::size_t line);
    // The line that covers y (the last one below the end).
    std::size_t lineAt(qreal y);
    std::size_t lineOfItem(std::size_t item);
    std::size_t lineEnd(std::size_t line) const; // one past its last item
    // The rows of a line, made on demand and kept for the lines on screen.
    // Laying it out corrects its height if it was estimated.
    const Line &line(std::size_t index);
    // Whether the line's height is its laid-out one, not an estimate.
    bool isExact(std::size_t index);
    // Whether every line's height is exact.
    bool isComplete();
    // Lays out up to `count` estimated lines, the newest first. Returns
    // whether any height changed.
    bool layOutSome(std::size_t count);
    // Lays out every estimated line.
    void complete() { layOutSome(std::size_t(-1)); }

    const QFont &font(int style);
    const QFontMetricsF &metrics(int style);
    // The item's text as shown (empty for a picture).
    QString itemText(std::size_t item) const;
    // The characters of an item (a picture counts one).
    int itemLength(std::size_t item) const;

    // The position nearest to a point (in content coordinates: x from the
    // left margin, y from the top of the first line).
    TextPosition positionAt(QPointF point);
    // The item exactly under a point, if any.
    std::optional<std::size_t> itemAt(QPointF point);
    // The x of a character offset inside a fragment.
    qreal offsetX(const Line &line, const Fragment &fragment, int offset);

private:
    struct LineHeight
    {
        std::size_t firstItem;
        qreal top;
        qreal height;
        bool exact;
    };

    void ensureLaidOut();
    // Brings the tops of the lines up to date with their heights.
    void ensureTops();
    void estimateAll();
    qreal estimatedHeight(std::size_t firstItem, std::size_t endItem);
    // Records a line's laid-out height.
    void setExactHeight(std::size_t index, qreal height);
    void appendLines(std::size_t firstItem);
    std::unique_ptr<Line> layoutLine(std::size_t firstItem, std::size_t endItem);
    void ensureFonts();
    struct WordWidth
    {
        qreal visible; // without its trailing blanks
        qreal full;
    };
    // The width of a word (and its trailing blanks) in a style, measured
    // once per font: chat repeats its words, and a re-layout then mostly
    // only breaks lines again.
    WordWidth wordWidth(int style, const QString &word, int blanks);

    const Transcript &model;
    const QPaintDevice *device;
    qreal available = 100;
    // The line boundaries are known (heights may be estimates).
    bool valid = true;
    bool fontsValid = false;
    std::deque<LineHeight> lines;
    // Lines [0, topsValid) have their right tops.
    std::size_t topsValid = 0;
    // Lines whose height is an estimate; the search for them starts from
    // the end, below `estimatedBelow` (one past the last estimated line).
    std::size_t estimatedLines = 0;
    std::size_t estimatedBelow = 0;
    std::array<QFont, kStyleCount> fonts;
    std::array<std::unique_ptr<QFontMetricsF>, kStyleCount> fontMetrics;
    std::array<QHash<QString, WordWidth>, kStyleCount> wordWidths;
    std::unordered_map<std::size_t, std::unique_ptr<Line>> cache;
};

} // namespace kalvex
