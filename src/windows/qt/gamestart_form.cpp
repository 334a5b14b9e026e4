#include "windows/qt/gamestart_form.h"

#include "windows/qt/two_state_picture.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kalvex {

namespace {

const QColor kDialogColour(50, 84, 135);

QSpinBox *arrowField(const StepRange &range, int value, const QString &name, QWidget *parent)
{
    auto *field = new QSpinBox(parent);
    field->setObjectName(name);
    field->setRange(range.min, range.max);
    field->setSingleStep(range.step);
    field->setWrapping(false);
    field->setValue(value);
    // Only the arrows change the number; the text cannot be typed into.
    if (auto *text = field->findChild<QLineEdit *>())
        text->setReadOnly(true);
    field->setAlignment(Qt::AlignRight);
    field->setMinimumWidth(64);
    return field;
}

QLabel *optionLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

Tgamestart::Tgamestart(QWidget *mainWindow, const QPixmap &background)
    : SecondaryWindow(mainWindow, background, kDialogColour,
                      Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(tr("Kalvex - Game Start"));
    setObjectName(QStringLiteral("Tgamestart"));

    auto *heading = new QLabel(tr("Kalvex Options"), this);
    heading->setObjectName(QStringLiteral("label_heading"));
    heading->setAlignment(Qt::AlignCenter);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.6);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    heading->setStyleSheet(QStringLiteral("color: white;"));

    auto *panel = new WhitePanel(this);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(16, 14, 16, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);

    const GameOptions defaults;
    roundsField =
        arrowField(kRoundsRange, defaults.rounds, QStringLiteral("edit_playtoscore"), panel);
    secondsField = arrowField(kRoundSecondsRange, defaults.roundSeconds,
                              QStringLiteral("edit_creationtime"), panel);
    bonusPicture = new TwoStatePicture(panel);
    bonusPicture->setObjectName(QStringLiteral("image_bonus"));
    bonusPicture->setAccessibleName(tr("Bonus For Time"));
    sixPicture = new TwoStatePicture(panel);
    sixPicture->setObjectName(QStringLiteral("image_six"));
    sixPicture->setAccessibleName(tr("Six Color Game"));

    auto *roundsLabel = optionLabel(tr("# of Rounds:"), panel);
    roundsLabel->setBuddy(roundsField);
    auto *secondsLabel = optionLabel(tr("RoundTime Limit:"), panel);
    secondsLabel->setBuddy(secondsField);
    grid->addWidget(roundsLabel, 0, 0);
    grid->addWidget(roundsField, 0, 1);
    grid->addWidget(secondsLabel, 1, 0);
    grid->addWidget(secondsField, 1, 1);
    grid->addWidget(new QLabel(tr("secs"), panel), 1, 2);
    grid->addWidget(optionLabel(tr("Bonus For Time:"), panel), 2, 0);
    grid->addWidget(bonusPicture, 2, 1, Qt::AlignLeft);
    grid->addWidget(optionLabel(tr("Six Color Game:"), panel), 3, 0);
    grid->addWidget(sixPicture, 3, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);

    startButton = new QPushButton(tr("Start Game"), this);
    startButton->setObjectName(QStringLiteral("button_start"));
    startButton->setDefault(true);
    startButton->setAutoDefault(true);
    startButton->setCursor(Qt::PointingHandCursor);
    startButton->setMinimumSize(160, 38);
    startButton->setStyleSheet(QStringLiteral(
        "QPushButton#button_start { color: white; font-weight: bold; font-size: 14px;"
        " border: 1px solid #0d3d12; border-radius: 8px; padding: 6px 18px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6fd36f, stop:0.5 #2ea83c,"
        " stop:1 #1d7a2a); }"
        "QPushButton#button_start:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        " stop:0 #86e486, stop:0.5 #39bb48, stop:1 #238a31); }"
        "QPushButton#button_start:pressed { background: #1d7a2a; }"
        "QPushButton#button_start:focus { border: 2px solid #ffd250; }"));
    connect(startButton, &QPushButton::clicked, this, &Tgamestart::startGame);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 14);
    layout->setSpacing(10);
    layout->addWidget(heading);
    layout->addWidget(panel);
    layout->addWidget(startButton, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int Tgamestart::rounds() const
{
    return roundsField->value();
}
void Tgamestart::setRounds(int rounds)
{
    roundsField->setValue(kRoundsRange.clamp(rounds));
}
int Tgamestart::roundSeconds() const
{
    return secondsField->value();
}
void Tgamestart::setRoundSeconds(int seconds)
{
    secondsField->setValue(kRoundSecondsRange.clamp(seconds));
}
int Tgamestart::bonus() const
{
    return bonusPicture->state();
}
void Tgamestart::setBonus(int state)
{
    bonusPicture->setState(state);
}
int Tgamestart::six() const
{
    return sixPicture->state();
}
void Tgamestart::setSix(int state)
{
    sixPicture->setState(state);
}

GameOptions Tgamestart::options() const
{
    return {rounds(), roundSeconds(), bonus(), six()};
}

void Tgamestart::setOptions(const GameOptions &options)
{
    setRounds(options.rounds);
    setRoundSeconds(options.roundSeconds);
    setBonus(options.bonus);
    setSix(options.six);
}

void Tgamestart::startGame()
{
    const std::string wire = startGameRequest(playername, options());
    emit startRequested(QByteArray(wire.data(), static_cast<qsizetype>(wire.size())));
    hide();
    emit saveSettingsRequested();
}

} // namespace kalvex
