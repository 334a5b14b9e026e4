#pragma once
// TranscriptPlainText: the transcript as one plain text for assistive
// technology, its lines joined by "\n", each line as Copy gives it (pictures
// add nothing). It keeps its own copy of the lines only once kept (when a
// screen reader is about), so that a removal can still say what went after
// the transcript dropped it; it maps character offsets to places in the
// transcript's items and back.

#include "chat/qt/transcript_layout.h"
#include "chat/transcript.h"

#include <QString>

#include <cstddef>
#include <deque>
#include <optional>

namespace kalvex {

class TranscriptPlainText
{
public:
    struct Change
    {
        enum class Kind
        {
            Inserted,
            Removed
        };
        Kind kind = Kind::Inserted;
        int position = 0;
        QString text;
    };

    // The characters of one item in the plain text, and where they start.
    struct Run
    {
        std::size_t item = 0;
        int start = 0;
        int end = 0;
    };

    explicit TranscriptPlainText(const Transcript &transcript);

    // Until kept, nothing is copied and every change is ignored.
    bool isKept() const { return kept; }
    // Copies the transcript's lines as they are now, if not kept yet.
    void keep();

    // The transcript's changes (see TranscriptListener); each returns what
    // went in or out, or nothing while not kept.
    std::optional<Change> itemsAppended(std::size_t firstItem);
    std::optional<Change> itemsDropped(std::size_t count);
    std::optional<Change> cleared();

    // The queries below need the text kept.
    int length() const { return int(end - offsetBase); }
    int lineCount() const { return int(lines.size()); }
    // The line that holds the character at offset; the end belongs to the
    // last line.
    int lineOf(int offset) const;
    int lineStart(int line) const { return int(starts.at(std::size_t(line)) - offsetBase); }
    // Where the line ends, its "\n" included (the last line: the text's end).
    int lineEnd(int line) const;
    QString text(int from, int to) const;

    // The offset of a place in the transcript (a picture's place counts as
    // the characters' place around it).
    int offsetOf(TextPosition position) const;
    // The place of an offset: the item whose text holds the character, or
    // the end of the line's last item for its "\n" and for the end.
    TextPosition positionOf(int offset) const;
    // The item whose text holds the character at offset, or nothing for a
    // "\n" and the end.
    std::optional<Run> runAt(int offset) const;

private:
    // Empties the copy.
    void forget();
    // One past the line's last item.
    std::size_t lineItemEnd(std::size_t line) const;
    static int plainLength(const TranscriptItem &item);
    static QString plainText(const TranscriptItem &item);

    const Transcript &model;
    bool kept = false;
    std::deque<QString> lines;
    // Where each line starts in the text and its first item, both counted
    // from the transcript's start including what has been dropped: a drop
    // only moves the bases.
    std::deque<qint64> starts;
    std::deque<std::size_t> firstItems;
    qint64 offsetBase = 0;
    qint64 end = 0;
    std::size_t itemBase = 0;
};

} // namespace kalvex
