#include "windows/qt/phrases_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalvex {

Tphrases::Tphrases(QWidget *mainWindow, const QPixmap &background)
    : SecondaryWindow(mainWindow, background, Qt::white,
                      Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(tr("Kalvex - Phrase Buttons "));
    setObjectName(QStringLiteral("Tphrases"));

    auto *panel = new WhitePanel(this);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(14, 12, 14, 12);
    grid->setVerticalSpacing(6);
    for (int n = 1; n <= kPhraseCount; ++n) {
        auto *field = new QLineEdit(panel);
        field->setObjectName(QStringLiteral("phrase%1").arg(n));
        field->setMaxLength(kMaxPhraseLength);
        field->setMinimumWidth(320);
        auto *label = new QLabel(tr("Phrase Button %1:").arg(n), panel);
        label->setBuddy(field);
        grid->addWidget(label, n - 1, 0);
        grid->addWidget(field, n - 1, 1);
        fields[n - 1] = field;
    }

    auto *note = new QLabel(tr("Buttons can only be used once every 2 seconds"), panel);
    note->setObjectName(QStringLiteral("label_note"));
    QFont small = note->font();
    small.setItalic(true);
    note->setFont(small);
    auto *doneButton = new QPushButton(tr("Done"), panel);
    doneButton->setObjectName(QStringLiteral("button_done"));
    doneButton->setDefault(true);
    connect(doneButton, &QPushButton::clicked, this, &Tphrases::done);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(note);
    bottom->addStretch();
    bottom->addWidget(doneButton);
    grid->addLayout(bottom, kPhraseCount, 0, 1, 2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(panel);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void Tphrases::showPhrases(const QStringList &phrases)
{
    for (int n = 0; n < kPhraseCount; ++n)
        fields[n]->setText(n < phrases.size() ? phrases[n] : QString());
    show();
    raise();
    activateWindow();
    fields[0]->setFocus();
}

QStringList Tphrases::phrases() const
{
    QStringList texts;
    for (const QLineEdit *field : fields)
        texts << field->text();
    return texts;
}

void Tphrases::done()
{
    emit phrasesConfirmed(phrases());
    accept();
}

} // namespace kalvex
