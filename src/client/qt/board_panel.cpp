#include "client/qt/board_panel.h"

#include "client/client_session.h"
#include "client/qt/board_art.h"
#include "client/qt/board_widgets.h"
#include "net/error_report.h"
#include "net/qt/qt_colour.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTimer>

namespace kalvex {

namespace {

// The panel's layout in pixels at scale 1.
constexpr QRect kBoardPicture(173, 25, 164, 365);
constexpr QRect kRosterPicture(4, 25, 164, 365);
constexpr QRect kClockFrame(17, 348, 140, 33);
constexpr QRect kChatArea(338, 2, 274, 389);
constexpr QRect kStatus(6, 5, 329, 18);
constexpr QRect kGameType(10, 29, 154, 18);
constexpr QRect kRoundText(13, 327, 150, 18);
constexpr QRect kTimerText(22, 356, 104, 20);
constexpr QPoint kTimerBar(20, 351);
constexpr int kTimerBarHeight = 28;
constexpr QRect kBonusBadge(129, 351, 24, 27);
constexpr QRect kStartButton(201, 35, 99, 27);
constexpr QSize kCheckButton(32, 23);
constexpr int kCheckButtonX = 298;

constexpr int kSeatTop = 56;
constexpr int kSeatPitch = 22;
constexpr int kSeatHeight = 18;
constexpr int kPointsX = 19;
constexpr int kPointsWidth = 22;
constexpr int kScoreX = 41;
constexpr int kScoreWidth = 23;
constexpr int kNameX = 67;
constexpr int kNameWidth = 70;
constexpr int kResultBadgeX = 136;
constexpr int kEyesX = 151;
constexpr int kBadgeSize = 15;
constexpr QRect kTimeBonusMarker(5, 0, 15, 18);
constexpr QRect kWinnerMarker(5, 0, 163, 25);

QRect holeRect(int row, int position)
{
    return {200 + 25 * (position - 1), 349 - 25 * (row - 1), 20, 20};
}

QRect clueRect(int row)
{
    return {299, 348 - 25 * (row - 1), 22, 22};
}

QRect markerRect(int row)
{
    return {178, 349 - 25 * (row - 1), 18, 20};
}

QRect codeRect(int position)
{
    return {201 + 25 * (position - 1), 37, 20, 20};
}

int seatTop(int slot)
{
    return kSeatTop + kSeatPitch * (slot - 1);
}

const boardart::BoardGeometry &boardGeometry()
{
    static const boardart::BoardGeometry geometry = [] {
        boardart::BoardGeometry g;
        g.board = QRectF(kBoardPicture);
        for (int row = 1; row <= kBoardRows; ++row) {
            for (int position = 1; position <= kRowHoles; ++position)
                g.holes[row - 1][position - 1] = QRectF(holeRect(row, position));
            g.clueBoxes[row - 1] = QRectF(clueRect(row));
            g.markers[row - 1] = QRectF(markerRect(row));
        }
        for (int position = 1; position <= kRowHoles; ++position)
            g.codeHoles[position - 1] = QRectF(codeRect(position));
        return g;
    }();
    return geometry;
}

QFont pixelFont(int pixels, bool bold)
{
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    if (palette.color(QPalette::WindowText) == colour)
        return;
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// A row as the game counts it, bottom up, with the points it is worth:
// "Row 1, 12 points".
QString spokenRow(int row)
{
    const int points = kBoardRows + 1 - row;
    return points == 1 ? BoardPanel::tr("Row %1, 1 point").arg(row)
                       : BoardPanel::tr("Row %1, %2 points").arg(row).arg(points);
}

void setLabelText(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

QLabel *makeLabel(const QString &name, const QRect &geometry, const QFont &font,
                  Qt::Alignment alignment, QWidget *parent)
{
    QLabel *label = new ShadowLabel(name, parent);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(alignment);
    return label;
}

// Sets a property that a control paints from, and repaints it only when
// the value changed.
void setPainted(QWidget *widget, const char *name, const QVariant &value)
{
    if (widget->property(name) == value)
        return;
    widget->setProperty(name, value);
    widget->update();
}

// The pixels that lighting `row` changes: its band on the board.
QRect litBandRect(int row)
{
    const QRectF band(kBoardPicture.left() + 3, holeRect(row, 1).top() - 2.5,
                      kBoardPicture.width() - 6, 25);
    return band.toAlignedRect().adjusted(-1, -1, 1, 1);
}

// The keyboard's ring around a hole, with the pixels its edge touches.
QRect ringRect(int row, int position)
{
    return holeRect(row, position).adjusted(-4, -4, 4, 4);
}

QRectF seatStripeBox(int slot)
{
    return {8, qreal(seatTop(slot) - 1), 156, qreal(kSeatHeight + 2)};
}

// The panel's unchanging picture: the felt, the roster plate, the chat
// frame, the wooden board with a row lit and the clock frame.
void paintStill(QPainter &p, const QPoint &tileOrigin, int litRow)
{
    const QPixmap tile = boardart::backgroundTile(boardart::paintedPixelRatio(p));
    // Line the tiles up with the window's own, so no seam shows at the panel's edge.
    p.setBrushOrigin(tileOrigin);
    p.fillRect(QRect(0, 0, BoardPanel::kWidth, BoardPanel::kHeight), QBrush(tile));
    boardart::paintRosterPlate(p, QRectF(kRosterPicture));
    boardart::paintChatFrame(p, QRectF(kChatArea));
    boardart::paintBoard(p, boardGeometry(), litRow);
    boardart::paintClockFrame(p, QRectF(kClockFrame));
}

QString pegText(const ClueBox &box)
{
    QString text;
    for (Peg peg : box.pegs)
        text += peg == Peg::Green ? 'G' : peg == Peg::Yellow ? 'Y' : peg == Peg::Empty ? 'E' : '-';
    return text;
}

QString clueDescription(const ClueBox &box)
{
    int greens = 0;
    int yellows = 0;
    int empties = 0;
    for (Peg peg : box.pegs) {
        greens += peg == Peg::Green;
        yellows += peg == Peg::Yellow;
        empties += peg == Peg::Empty;
    }
    return BoardPanel::tr("%1 green, %2 yellow, %3 empty").arg(greens).arg(yellows).arg(empties);
}

} // namespace

QPixmap BoardPanel::backgroundTile()
{
    static const QPixmap tile = boardart::backgroundTile();
    return tile;
}

BoardPanel::BoardPanel(ClientSession &clientSession, QWidget *parent)
    : QWidget(parent), session(clientSession), backdrop(QSize(kWidth, kHeight), paintStill)
{
    setObjectName(QStringLiteral("panel_board"));
    // The panel covers itself with its felt: nothing under it need be drawn.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kWidth, kHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Game board"));
    setAccessibleDescription(tr("Keys 1 to 6 colour the selected ball, Left and Right choose "
                                "the ball, Enter checks the row"));
    buildBoard();
    buildRoster();
    buildClockAndTexts();
    buildSeatMenu();
    refresh();
}

void BoardPanel::buildBoard()
{
    for (int row = 1; row <= kBoardRows; ++row) {
        const QString letter = QString::fromStdString(getletter(row));
        for (int position = 1; position <= kRowHoles; ++position) {
            auto *hole = new PaintedWidget(
                QStringLiteral("try_%1%2").arg(letter).arg(position),
                [this, row, position](QPainter &p, const QRectF &box) {
                    paintHoleContents(p, box, row, position);
                },
                this);
            hole->setGeometry(holeRect(row, position));
            hole->setAccessibleName(tr("%1, ball %2").arg(spokenRow(row)).arg(position));
            connect(hole, &PaintedWidget::released, this, [this, row, position] {
                // A click also hands the keyboard to the board.
                setFocus(Qt::MouseFocusReason);
                userAction([this, row, position] { session.ballClick(row, position); });
            });
            holes[row - 1][position - 1] = hole;
        }
        auto *clue = new PaintedWidget(
            QStringLiteral("myresult_%1").arg(row),
            [this, row](QPainter &p, const QRectF &box) {
                const ClueBox &clueBox = session.board().clueBox(row);
                boardart::paintClueSocket(p, box);
                const qreal half = box.width() / 2;
                for (int i = 0; i < 4; ++i) {
                    const QRectF cell(box.left() + (i % 2) * half, box.top() + (i / 2) * half, half,
                                      half);
                    boardart::paintPeg(p, cell, clueBox.pegs[static_cast<std::size_t>(i)]);
                }
            },
            this);
        clue->setGeometry(clueRect(row));
        clue->setAccessibleName(tr("Clue for row %1").arg(row));
        clueBoxes[row - 1] = clue;

        auto *marker = new PaintedWidget(
            QStringLiteral("guess_%1").arg(row),
            [row](QPainter &p, const QRectF &box) {
                boardart::paintValueMarker(p, box, kBoardRows + 1 - row);
            },
            this);
        marker->setGeometry(markerRect(row));
        const int points = kBoardRows + 1 - row;
        marker->setToolTip(points == 1 ? tr("1 point for the code on this row")
                                       : tr("%1 points for the code on this row").arg(points));
        marker->setAccessibleName(spokenRow(row));
        valueMarkers[row - 1] = marker;
    }
    for (int position = 1; position <= kRowHoles; ++position) {
        auto *code = new PaintedWidget(
            QStringLiteral("code_%1").arg(position),
            [this, position](QPainter &p, const QRectF &box) {
                const int colour = session.board().codeColour(position);
                boardart::paintBall(p, box, colour);
                if (showNumbers)
                    boardart::paintBallNumber(p, box, colour);
            },
            this);
        code->setGeometry(codeRect(position));
        code->setAccessibleName(tr("Code ball %1").arg(position));
        codeHoles[position - 1] = code;
    }

    buttonCheck =
        new PictureButton(QStringLiteral("button_check"), boardart::paintCheckButton, this);
    buttonCheck->resize(kCheckButton);
    buttonCheck->setAccessibleName(tr("Check"));
    buttonCheck->setToolTip(tr("Enter your guess"));
    connect(buttonCheck, &QAbstractButton::clicked, this,
            [this] { userAction([this] { session.checkPress(); }); });

    buttonStart =
        new PictureButton(QStringLiteral("button_start"), boardart::paintStartButton, this);
    buttonStart->setGeometry(kStartButton);
    buttonStart->setAccessibleName(tr("Start Game"));
    connect(buttonStart, &QAbstractButton::clicked, this, &BoardPanel::startRequested);
}

void BoardPanel::buildRoster()
{
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        SeatControls &seat = seats[slot - 1];
        const int top = seatTop(slot);
        seat.points = makeLabel(QStringLiteral("label_bonus%1").arg(slot),
                                QRect(kPointsX, top + 1, kPointsWidth, kSeatHeight),
                                pixelFont(10, true), Qt::AlignRight | Qt::AlignVCenter, this);
        seat.score = makeLabel(QStringLiteral("label_score%1").arg(slot),
                               QRect(kScoreX, top, kScoreWidth, kSeatHeight), pixelFont(12, true),
                               Qt::AlignRight | Qt::AlignVCenter, this);
        seat.name = new ElidedLabel(QStringLiteral("label_playername%1").arg(slot), this);
        seat.name->setGeometry(kNameX, top, kNameWidth, kSeatHeight);
        seat.name->setFont(pixelFont(12, false));
        seat.name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        seat.name->setContextMenuPolicy(Qt::CustomContextMenu);
        seat.name->setAccessibleDescription(tr("Seat %1; the context menu removes the player, "
                                               "sets watching or mutes the chat")
                                                .arg(slot));
        connect(seat.name, &QWidget::customContextMenuRequested, this,
                [this, slot](const QPoint &position) {
                    openSeatMenu(slot, seats[slot - 1].name->mapToGlobal(position));
                });
        const QColor colour = rgbColour(Roster::seatColour(slot));
        for (QLabel *label : {static_cast<QLabel *>(seat.name), seat.score, seat.points})
            setTextColour(label, colour);

        const auto badge = [this, top](const QString &name, int x, boardart::Badge kind) {
            auto *widget = new PaintedWidget(
                name,
                [kind](QPainter &p, const QRectF &box) { boardart::paintBadge(p, box, kind); },
                this);
            widget->setGeometry(x, top + 1, kBadgeSize, kBadgeSize);
            widget->setAttribute(Qt::WA_TransparentForMouseEvents);
            return widget;
        };
        seat.complete = badge(QStringLiteral("image_complete%1").arg(slot), kResultBadgeX,
                              boardart::Badge::Solved);
        seat.complete->setToolTip(tr("Found the code"));
        seat.imcomplete = badge(QStringLiteral("image_imcomplete%1").arg(slot), kResultBadgeX,
                                boardart::Badge::Failed);
        seat.imcomplete->setToolTip(tr("Out of guesses"));
        seat.eyes = badge(QStringLiteral("image_eyes%1").arg(slot), kEyesX, boardart::Badge::Eyes);
        seat.eyes->setToolTip(tr("Just watching"));
    }

    imageGottime =
        new PaintedWidget(QStringLiteral("image_gottime"), boardart::paintTimeBonusMarker, this);
    imageGottime->resize(kTimeBonusMarker.size());
    imageGottime->setAttribute(Qt::WA_TransparentForMouseEvents);
    imageGottime->setToolTip(tr("Time Bonus"));

    imageWinner =
        new PaintedWidget(QStringLiteral("image_winner"), boardart::paintWinnerMarker, this);
    imageWinner->resize(kWinnerMarker.size());
    imageWinner->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BoardPanel::buildClockAndTexts()
{
    labelStatus = makeLabel(QStringLiteral("label_status"), kStatus, pixelFont(14, true),
                            Qt::AlignCenter, this);
    setTextColour(labelStatus, QColor(255, 255, 255));

    labelGametype = makeLabel(QStringLiteral("label_gametype"), kGameType, pixelFont(12, true),
                              Qt::AlignLeft | Qt::AlignVCenter, this);
    setTextColour(labelGametype, QColor(243, 217, 139));

    labelRoundnum = makeLabel(QStringLiteral("label_roundnum"), kRoundText, pixelFont(12, true),
                              Qt::AlignLeft | Qt::AlignVCenter, this);
    setTextColour(labelRoundnum, QColor(232, 238, 247));

    imageTimer = new PaintedWidget(
        QStringLiteral("image_timer"),
        [this](QPainter &p, const QRectF &box) {
            boardart::paintClockBar(p, box, session.secondsleft() < 20);
        },
        this);
    imageTimer->setGeometry(QRect(kTimerBar, QSize(0, kTimerBarHeight)));

    labelTimer = makeLabel(QStringLiteral("label_timer"), kTimerText, pixelFont(14, true),
                           Qt::AlignLeft | Qt::AlignVCenter, this);

    imageBonus = new PaintedWidget(QStringLiteral("image_bonus"), boardart::paintBonusBadge, this);
    imageBonus->setGeometry(kBonusBadge);
    imageBonus->setToolTip(tr("The fastest player gets a time bonus of 5 points"));
}

void BoardPanel::buildSeatMenu()
{
    popupKick = new QMenu(this);
    popupKick->setObjectName(QStringLiteral("popup_kick"));
    actionRemove = popupKick->addAction(tr("Remove From Game"));
    actionSetWatching = popupKick->addAction(tr("Set to Just Watch"));
    actionUnsetWatching = popupKick->addAction(tr("Unset Just Watch"));
    connect(actionRemove, &QAction::triggered, this,
            [this] { userAction([this] { session.kickMenuRemove(); }); });
    connect(actionSetWatching, &QAction::triggered, this,
            [this] { userAction([this] { session.kickMenuSetWatching(); }); });
    connect(actionUnsetWatching, &QAction::triggered, this,
            [this] { userAction([this] { session.kickMenuUnsetWatching(); }); });
    popupKick->addSeparator();
    actionMute = popupKick->addAction(tr("Mute Chat"));
    actionMute->setObjectName(QStringLiteral("action_mutechat"));
    actionMute->setCheckable(true);
    connect(actionMute, &QAction::triggered, this, [this](bool on) {
        userAction([this, on] { session.setSeatMuted(session.kickTarget(), on); });
    });
}

void BoardPanel::setShowBallNumbers(bool on)
{
    if (showNumbers == on)
        return;
    showNumbers = on;
    for (const auto &row : holes) {
        for (PaintedWidget *hole : row)
            hole->update();
    }
    for (PaintedWidget *code : codeHoles)
        code->update();
}

bool BoardPanel::ringOn(int row, int position) const
{
    return hasFocus() && litRow() == row && session.selectedHole() == position;
}

void BoardPanel::paintHoleContents(QPainter &p, const QRectF &box, int row, int position)
{
    const int colour = session.board().hole(row, position).colour;
    boardart::paintBall(p, box, colour);
    if (showNumbers)
        boardart::paintBallNumber(p, box, colour);
}

void BoardPanel::describeHole(int row, int position)
{
    PaintedWidget *hole = holes[row - 1][position - 1];
    const Hole &state = session.board().hole(row, position);
    QString text = boardart::ballColourName(state.colour);
    if (state.colour > 0)
        text += QStringLiteral(" (%1)").arg(state.colour);
    if (litRow() == row)
        text += session.selectedHole() == position ? tr(", open, selected") : tr(", open");
    if (hole->accessibleDescription() != text)
        hole->setAccessibleDescription(text);
}

void BoardPanel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && key >= Qt::Key_1 && key <= Qt::Key_6) {
        const int colour = key - Qt::Key_0;
        userAction([this, colour] { session.colourKey(colour); });
    } else if (plain && (key == Qt::Key_Left || key == Qt::Key_Right)) {
        const int step = key == Qt::Key_Left ? -1 : 1;
        userAction([this, step] { session.moveSelection(step); });
    } else if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        userAction([this] { session.checkPress(); });
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void BoardPanel::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    refresh();
}

void BoardPanel::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    refresh();
}

void BoardPanel::openSeatMenu(int slot, const QPoint &globalPosition)
{
    const SeatMenuItems items = session.openSeatMenu(slot);
    const SeatLine *line = session.roster().seat(slot);
    actionMute->setEnabled(line && line->name != kWaitingName && slot != session.myslot());
    actionMute->setChecked(session.seatMuted(slot));
    actionRemove->setEnabled(items.remove);
    actionSetWatching->setEnabled(items.setWatching);
    actionUnsetWatching->setEnabled(items.unsetWatching);
    popupKick->popup(globalPosition);
}

void BoardPanel::userAction(const std::function<void()> &action)
{
    // A failing send (the link gone) is reported like every other error.
    const unsigned before = refreshes;
    guarded(ErrorOrigin::Local, action);
    // Most actions have the session ask for the redraw already.
    if (refreshes == before)
        refresh();
}

void BoardPanel::refresh()
{
    ++refreshes;
    refreshBoard();
    refreshRoster();
    refreshTexts();
    // The panel itself paints the lit row, the ring and the seat stripes; the
    // rest of its picture never changes.
    const Marks now = currentMarks();
    if (now != painted) {
        updateMarks(painted, now);
        painted = now;
    }
}

BoardPanel::Marks BoardPanel::currentMarks() const
{
    Marks marks;
    marks.litRow = litRow();
    marks.ringHole = marks.litRow != 0 && hasFocus() ? session.selectedHole() : 0;
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        const SeatLine &line = *session.roster().seat(slot);
        marks.stripes[static_cast<std::size_t>(slot - 1)] = line.name == kWaitingName ? '-'
                                                            : line.bold               ? 'B'
                                                                                      : 'N';
    }
    return marks;
}

void BoardPanel::updateMarks(const Marks &before, const Marks &after)
{
    if (before.litRow != after.litRow) {
        for (int row : {before.litRow, after.litRow}) {
            if (row != 0)
                update(litBandRect(row));
        }
    }
    if (before.litRow != after.litRow || before.ringHole != after.ringHole) {
        if (before.ringHole != 0)
            update(ringRect(before.litRow, before.ringHole));
        if (after.ringHole != 0)
            update(ringRect(after.litRow, after.ringHole));
    }
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        const auto i = static_cast<std::size_t>(slot - 1);
        if (before.stripes[i] != after.stripes[i])
            update(seatStripeBox(slot).toAlignedRect().adjusted(-1, -1, 1, 1));
    }
}

void BoardPanel::makeBandsWhenIdle()
{
    bandsPending = backdrop.makeNextBand(kBoardRows, litBandRect);
    if (bandsPending)
        QTimer::singleShot(0, this, &BoardPanel::makeBandsWhenIdle);
}

int BoardPanel::litRow() const
{
    return session.guessslot() == session.myslot() ? session.board().openRow() : 0;
}

void BoardPanel::refreshBoard()
{
    const Board &board = session.board();
    const bool canEnter = session.guessslot() == session.myslot();
    for (int row = 1; row <= kBoardRows; ++row) {
        for (int position = 1; position <= kRowHoles; ++position) {
            PaintedWidget *hole = holes[row - 1][position - 1];
            const Hole &state = board.hole(row, position);
            setPainted(hole, "colour", state.colour);
            setPainted(hole, "ring", ringOn(row, position));
            describeHole(row, position);
            hole->setCursor(state.open && canEnter ? Qt::PointingHandCursor : Qt::ArrowCursor);
        }
        const ClueBox &clue = board.clueBox(row);
        setPainted(clueBoxes[row - 1], "pegs", pegText(clue));
        clueBoxes[row - 1]->setAccessibleDescription(clueDescription(clue));
        clueBoxes[row - 1]->setVisible(clue.visible);
        valueMarkers[row - 1]->setVisible(board.valueMarkerVisible(row));
    }
    for (int position = 1; position <= kRowHoles; ++position) {
        const int colour = board.codeColour(position);
        setPainted(codeHoles[position - 1], "colour", colour);
        codeHoles[position - 1]->setAccessibleDescription(boardart::ballColourName(colour));
    }
    const int checkRow = Board::validRow(board.checkRow()) ? board.checkRow() : 1;
    buttonCheck->move(kCheckButtonX, holeRect(checkRow, 1).top() - 2);
    buttonCheck->setProperty("row", board.checkRow());
    const QString checkDescription = Board::validRow(board.checkRow())
                                         ? tr("Enter your guess for row %1").arg(board.checkRow())
                                         : tr("Enter your guess");
    if (buttonCheck->accessibleDescription() != checkDescription)
        buttonCheck->setAccessibleDescription(checkDescription);
    buttonCheck->setVisible(board.checkVisible());
    buttonStart->setVisible(session.startButtonVisible());
}

void BoardPanel::refreshRoster()
{
    const Roster &roster = session.roster();
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        const SeatLine &line = *roster.seat(slot);
        SeatControls &seat = seats[slot - 1];
        setLabelText(seat.name,
                     line.name == kWaitingName ? tr("<Waiting>") : displayText(line.name));
        seat.name->setToolTip(seat.name->text());
        QString spoken =
            tr("Seat %1: %2, score %3").arg(slot).arg(seat.name->text(), displayText(line.score));
        if (line.watching)
            spoken += tr(", just watching");
        if (line.solved)
            spoken += tr(", found the code");
        else if (line.failed)
            spoken += tr(", out of guesses");
        if (session.seatMuted(slot))
            spoken += tr(", chat muted");
        if (seat.name->accessibleName() != spoken)
            seat.name->setAccessibleName(spoken);
        if (seat.name->font().bold() != line.bold)
            seat.name->setFont(pixelFont(12, line.bold));
        setLabelText(seat.score, displayText(line.score));
        setLabelText(seat.points, displayText(line.roundPoints));
        seat.eyes->setVisible(line.watching);
        seat.complete->setVisible(line.solved);
        seat.imcomplete->setVisible(line.failed && !line.solved);
    }
    if (const int slot = session.timeBonusSeat(); roster.seat(slot)) {
        imageGottime->move(kTimeBonusMarker.left(), seatTop(slot) - 7);
        imageGottime->show();
    } else {
        imageGottime->hide();
    }
    if (const int slot = session.winnerSeat(); roster.seat(slot)) {
        imageWinner->move(kWinnerMarker.left(), seatTop(slot) - 3);
        imageWinner->show();
        imageWinner->raise();
    } else {
        imageWinner->hide();
    }
}

void BoardPanel::refreshTexts()
{
    setLabelText(labelStatus, displayText(session.statusText()));
    setLabelText(labelRoundnum, displayText(session.roundText()));
    setLabelText(labelGametype, displayText(session.gameTypeText()));
    const RoundClock &clock = session.roundClock();
    setLabelText(labelTimer, QString::fromStdString(clock.text()));
    setTextColour(labelTimer, rgbColour(clock.colour()));
    // The bar is as wide as the seconds left; the clock frame shows at most
    // its design width of it.
    imageTimer->setProperty("barWidth", clock.barWidth());
    imageTimer->resize(qBound(0, clock.barWidth(), RoundClock::kDesignBarWidth), kTimerBarHeight);
    setPainted(imageTimer, "hurry", session.secondsleft() < 20);
    imageBonus->setVisible(session.bonusBadgeVisible());
}

void BoardPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int lit = litRow();
    const QPoint tileOrigin = -mapTo(window(), QPoint(0, 0));
    backdrop.draw(p, tileOrigin, lit, lit != 0 ? litBandRect(lit) : QRect());
    if (!bandsPending && !backdrop.complete(kBoardRows)) {
        bandsPending = true;
        QTimer::singleShot(0, this, &BoardPanel::makeBandsWhenIdle);
    }
    // The stripes' gradients start where the felt's tiles do.
    p.setBrushOrigin(tileOrigin);
    const Roster &roster = session.roster();
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        const SeatLine &line = *roster.seat(slot);
        if (line.name == kWaitingName)
            continue;
        boardart::paintSeatStripe(p, seatStripeBox(slot), rgbColour(Roster::seatColour(slot)),
                                  line.bold);
    }
    // The ring stands around the hole, outside the ball, so the panel draws it.
    if (const int row = litRow(); row != 0 && hasFocus())
        boardart::paintSelectionRing(
            p, QRectF(holeRect(row, session.selectedHole())).adjusted(-3, -3, 3, 3));
}

} // namespace kalvex
