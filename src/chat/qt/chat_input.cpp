#include "chat/qt/chat_input.h"

#include "chat/chat_composer.h"
#include "chat/qt/chat_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace kalvex {

ChatInput::ChatInput(QWidget *parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("mychat"));
    setText(QString::fromUtf8(kChatPlaceholder.data(), qsizetype(kChatPlaceholder.size())));
}

void ChatInput::pasteAtEnd()
{
    const QString clipboard = QApplication::clipboard()->text();
    if (!clipboard.isEmpty()) {
        setText(QString::fromStdString(
            ChatComposer::withPasted(encodeChatText(text()), encodeChatText(clipboard))));
    }
    deselect();
    end(false);
}

void ChatInput::keyPressEvent(QKeyEvent *event)
{
    const std::string current = encodeChatText(text());
    if (current == kChatPlaceholder)
        clear();
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
    QMenu *menu = createStandardContextMenu();
    menu->setObjectName(QStringLiteral("mychatMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // Paste appends at the end instead of replacing the selection.
    if (auto *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, &ChatInput::pasteAtEnd);
    }
    menu->popup(event->globalPos());
}

} // namespace kalvex
