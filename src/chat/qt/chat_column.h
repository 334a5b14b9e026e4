#pragma once
// ChatColumn: the chat beside the board, one widget that lays out its parts
// itself: the phrase buttons "b_phrase1" to "b_phrase9" and the
// chatter-sound button "b_phrase10" along the top, the transcript
// "mainchat" below them, the input "mychat" and the smilies button
// "button_smilies" at the foot. The window only places the column. The
// transcript comes first; the controls follow once the composer they work
// for exists (attach).

#include <QWidget>

namespace kalvex {

class ChatComposer;
class ChatControls;
class TranscriptPane;

class ChatColumn : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize kSize{267, 385};

    explicit ChatColumn(QWidget *parent = nullptr);
    ~ChatColumn() override;

    // Makes the controls for `composer`, which writes to this transcript.
    void attach(ChatComposer &composer);

    TranscriptPane &transcript() { return *pane; }
    ChatControls &controls() { return *chatControls; }

private:
    void placeParts();

    TranscriptPane *pane = nullptr;
    ChatControls *chatControls = nullptr;
};

} // namespace kalvex
