#include "chat/qt/chat_column.h"

#include "chat/qt/chat_controls.h"
#include "chat/qt/chat_input.h"
#include "chat/qt/transcript_pane.h"

#include <QToolButton>

#include <array>

namespace kalvex {

namespace {

// Inside the column, from its top left corner.
constexpr QPoint kTranscript{0, 22};
constexpr QRect kInput{0, 363, 236, 22};
constexpr QRect kSmilies{237, 363, 27, 21};
constexpr QSize kPhraseButton{25, 19};
// Left edges of phrase buttons 1 to 9 and of the chatter-sound button.
constexpr std::array<int, kPhraseCount + 1> kPhraseLefts = {0,   27,  54,  80,  107,
                                                            134, 160, 187, 214, 241};

} // namespace

ChatColumn::ChatColumn(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("chatColumn"));
    setFixedSize(kSize);
    pane = new TranscriptPane(this);
    pane->move(kTranscript);
}

void ChatColumn::attach(ChatComposer &composer)
{
    chatControls = new ChatControls(this, composer, *pane);
    placeParts();
}

ChatColumn::~ChatColumn() = default;

void ChatColumn::placeParts()
{
    for (int n = 1; n <= kPhraseCount; ++n)
        chatControls->phraseButton(n)->setGeometry(QRect({kPhraseLefts[n - 1], 0}, kPhraseButton));
    chatControls->chatterButton()->setGeometry(
        QRect({kPhraseLefts[kPhraseCount], 0}, kPhraseButton));
    chatControls->input()->setGeometry(kInput);
    chatControls->smiliesButton()->setGeometry(kSmilies);
}

} // namespace kalvex
