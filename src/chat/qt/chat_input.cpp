#include "chat/qt/chat_input.h"

#include "chat/chat_composer.h"
#include "chat/qt/chat_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QValidator>

namespace kalvex {

namespace {

// Keeps the field within one chat line's size in UTF-8. Every edit (keys, an
// input method, paste, drop, setText) passes here with the caret after what
// it inserted.
class ChatLineSize : public QValidator
{
public:
    explicit ChatLineSize(ChatInput *input) : QValidator(input), input(input) {}

    State validate(QString &text, int &caret) const override
    {
        const std::optional<ChatComposer::InputText> fitted =
            ChatComposer::fittedInput(wireText(text.left(caret)), wireText(text.mid(caret)));
        if (fitted) {
            const QString before = QString::fromStdString(fitted->beforeCaret);
            text = before + QString::fromStdString(fitted->afterCaret);
            caret = int(before.size());
            emit input->textLimited();
        }
        return Acceptable;
    }

private:
    ChatInput *input;
};

} // namespace

ChatInput::ChatInput(QWidget *parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("mychat"));
    setValidator(new ChatLineSize(this));
    setText(QString::fromStdString(chatPlaceholder()));
}

void ChatInput::pasteAtEnd()
{
    const QString clipboard = QApplication::clipboard()->text();
    if (!clipboard.isEmpty()) {
        setText(QString::fromStdString(
            ChatComposer::withPasted(wireText(text()), wireText(clipboard))));
    }
    deselect();
    end(false);
}

void ChatInput::dropPlaceholder()
{
    if (wireText(text()) == chatPlaceholder())
        clear();
}

void ChatInput::inputMethodEvent(QInputMethodEvent *event)
{
    // Text composed with an input method counts as typing.
    if (!event->commitString().isEmpty() || !event->preeditString().isEmpty())
        dropPlaceholder();
    QLineEdit::inputMethodEvent(event);
}

void ChatInput::keyPressEvent(QKeyEvent *event)
{
    dropPlaceholder();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit sendRequested();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteAtEnd();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void ChatInput::contextMenuEvent(QContextMenuEvent *event)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mychatMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto add = [&](const char *name, const QString &text, QKeySequence::StandardKey key,
                         bool enabled, auto slot) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(key);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
    };
    const bool selected = hasSelectedText();
    add("edit-undo", tr("&Undo"), QKeySequence::Undo, isUndoAvailable(), &QLineEdit::undo);
    add("edit-redo", tr("&Redo"), QKeySequence::Redo, isRedoAvailable(), &QLineEdit::redo);
    menu->addSeparator();
    add("edit-cut", tr("Cu&t"), QKeySequence::Cut, selected, &QLineEdit::cut);
    add("edit-copy", tr("&Copy"), QKeySequence::Copy, selected, &QLineEdit::copy);
    // Paste appends at the end instead of replacing the selection.
    add("edit-paste", tr("&Paste"), QKeySequence::Paste,
        !QApplication::clipboard()->text().isEmpty(), &ChatInput::pasteAtEnd);
    add("edit-delete", tr("Delete"), QKeySequence::Delete, selected, &QLineEdit::del);
    menu->addSeparator();
    add("select-all", tr("Select All"), QKeySequence::SelectAll, !text().isEmpty(),
        &QLineEdit::selectAll);
    menu->popup(event->globalPos());
}

} // namespace kalvex
