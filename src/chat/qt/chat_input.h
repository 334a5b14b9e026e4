#pragma once
// ChatInput (object name "mychat"): the one-line chat field. It starts with
// the placeholder as its text, which goes at the first key; Enter asks for
// the text to be sent and never reaches the text; Paste (context menu,
// Ctrl+V, Shift+Insert) appends the clipboard's text at the end. It holds no
// more than one chat line carries: what is typed, pasted or dropped beyond
// that is left out, between characters.

#include <QLineEdit>

namespace kalvex {

class ChatInput : public QLineEdit
{
    Q_OBJECT

public:
    explicit ChatInput(QWidget *parent = nullptr);

    // Appends the clipboard's text and puts the caret at the end.
    void pasteAtEnd();

signals:
    // Enter was pressed.
    void sendRequested();
    // Text was left out because the line is full.
    void textLimited();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void dropPlaceholder();
};

} // namespace kalvex
