#pragma once
// Tphrases: edits the texts of the nine phrase buttons.
//
// Wiring (main window, View menu "Phrase List"):
//   phrases->showPhrases(currentPhrases);      // button 1 first
//   connect(phrases, &Tphrases::phrasesConfirmed, [this](const QStringList &texts) {
//       apply texts[n-1] to phrase button n, then write Phrase1..Phrase9 (empty ones too)
//   });
// The close box and Escape discard the edits.

#include "windows/qt/secondary_window.h"

#include <QStringList>

#include <array>

class QLineEdit;

namespace kalvex {

class Tphrases : public SecondaryWindow
{
    Q_OBJECT

public:
    static constexpr int kPhraseCount = 9;
    static constexpr int kMaxPhraseLength = 50;

    explicit Tphrases(QWidget *mainWindow, const QPixmap &background = {});

    // Fills field n with phrase n (missing ones empty) and shows the window.
    void showPhrases(const QStringList &phrases);
    // The nine fields' texts, field 1 first.
    QStringList phrases() const;

signals:
    // "Done": the nine texts, field 1 first, to become the buttons' phrases
    // and to be written to the settings file as Phrase1 to Phrase9.
    void phrasesConfirmed(const QStringList &phrases);

private:
    void done();

    std::array<QLineEdit *, kPhraseCount> fields{};
};

} // namespace kalvex
