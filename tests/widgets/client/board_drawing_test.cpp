// How the board draws: a click's message is on the wire before anything is
// drawn, a change is drawn once and only where it shows, and the panel's
// unchanging picture is painted once per pixel ratio, exact to the pixel.

#include "panel_test.h"
#include "raw_peer.h"

#include "client/qt/board_art.h"
#include "client/qt/panel_backdrop.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>

#include <string>

namespace kalvex::testing {
namespace {

// Counts the paint events of a widget and of everything on it, and the
// area the widget itself was asked to paint.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *watched) : root(watched)
    {
        root->installEventFilter(this);
        for (QWidget *child : root->findChildren<QWidget *>())
            child->installEventFilter(this);
    }
    void reset()
    {
        all = 0;
        rootPaints = 0;
        rootArea = QRegion();
    }
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++all;
            if (object == root) {
                ++rootPaints;
                rootArea += static_cast<QPaintEvent *>(event)->region();
            }
        }
        return false;
    }

    QWidget *root;
    int all = 0;
    int rootPaints = 0;
    QRegion rootArea;
};

int area(const QRegion &region)
{
    int sum = 0;
    for (const QRect &rect : region)
        sum += rect.width() * rect.height();
    return sum;
}

using test::RawPeer;

class BoardDrawingTest : public PanelTest
{
protected:
    void startRound()
    {
        session.setPlayername("Ann");
        for (const char *line :
             {"CMD_sendlogininfo+2", "CMD_newplayerinfo+2+Ann", "CMD_startgame+Bob+5+120+1+0+",
              "CMD_startround+2+", "CMD_nextplayer+2+1+"})
            feed(line);
    }
    void fillRow(int row)
    {
        for (int position = 1; position <= 4; ++position)
            session.ballClick(row, position);
    }
    // Lets every waiting paint happen.
    static void settle()
    {
        QTest::qWait(30);
        QCoreApplication::processEvents();
    }
};

TEST_F(BoardDrawingTest, ACheckClickIsOnTheWireBeforeAnythingIsDrawnAndDrawnOnce)
{
    RawPeer host;
    TSock link;
    link.setHostName(QStringLiteral("127.0.0.1"));
    link.setPortName(QString::number(host.port));
    link.Open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.Connected(); }, 5000));
    host.accept();
    out.wireSocket = &link;
    startRound();
    fillRow(1);
    QAbstractButton *check = control<QAbstractButton>("button_check");
    ASSERT_TRUE(check->isVisible());
    QTest::mousePress(check, Qt::LeftButton);
    settle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.arrived().find("CMD_logininfo") == 0; }, 2000));
    host.arrived();

    PaintCounter paints(panel.get());
    QTest::mouseRelease(check, Qt::LeftButton);
    // Control has not been back in the event loop yet.
    EXPECT_EQ(host.arrived(), wire("CMD_checkit+2+2+2+2+2+"));
    EXPECT_EQ(paints.all, 0) << "nothing is drawn before the event loop's turn";

    settle();
    EXPECT_EQ(paints.rootPaints, 1) << "the changes of one click are drawn together";
    EXPECT_FALSE(check->isVisible());
}

TEST_F(BoardDrawingTest, AClickIsDrawnOnlyWhereTheBoardChanged)
{
    startRound();
    settle();
    PaintCounter paints(panel.get());
    QTest::mouseClick(control("try_a2"), Qt::LeftButton);
    settle();
    EXPECT_EQ(paints.rootPaints, 1);
    const QRect hole = control("try_a2")->geometry();
    EXPECT_TRUE(paints.rootArea.boundingRect().contains(hole));
    EXPECT_LT(area(paints.rootArea), area(QRegion(panel->rect())) / 20)
        << "a ball is no reason to draw the whole panel";
}

TEST_F(BoardDrawingTest, TheClockTicksWithoutDrawingTheWholePanel)
{
    startRound();
    session.clockTick();
    settle();
    PaintCounter paints(panel.get());
    const QString before = control<QLabel>("label_timer")->text();
    session.clockTick();
    settle();
    ASSERT_NE(control<QLabel>("label_timer")->text(), before);
    EXPECT_GE(paints.rootPaints, 1);
    EXPECT_LT(area(paints.rootArea), area(QRegion(panel->rect())) / 20);
}

TEST_F(BoardDrawingTest, TheUnchangingPictureIsPaintedOncePerPixelRatio)
{
    startRound();
    const PanelBackdrop &backdrop = panel->backdropPixmaps();
    // The picture, then every row's lit band in idle turns.
    ASSERT_TRUE(QTest::qWaitFor([&] { return backdrop.pixmapsMade() == 1 + kBoardRows; }, 5000));
    panel->repaint();
    panel->update();
    settle();
    fillRow(1);
    session.checkPress();
    feed("CMD_yourresult+2+1+1+2+1+");
    feed("CMD_nextplayer+2+2+");
    settle();
    feed("CMD_startround+3+");
    feed("CMD_nextplayer+2+1+");
    settle();
    EXPECT_EQ(backdrop.pixmapsMade(), 1 + kBoardRows) << "kept across repaints and rows";

    // A surface of another ratio has the picture painted again for it.
    const qreal other = panel->devicePixelRatioF() + 1;
    QPixmap denser(panel->size() * other);
    denser.setDevicePixelRatio(other);
    panel->render(&denser);
    EXPECT_EQ(backdrop.pixmapsMade(), 1 + kBoardRows + 2) << "the picture and the band, again";
}

// A picture full of gradients and rounded edges, with a row lit: the board.
void paintBoardPicture(QPainter &p, const QPoint &tileOrigin, int litRow)
{
    p.setBrushOrigin(tileOrigin);
    p.fillRect(QRect(0, 0, 200, 400),
               QBrush(boardart::backgroundTile(boardart::paintedPixelRatio(p))));
    boardart::BoardGeometry g;
    g.board = QRectF(10, 20, 164, 365);
    for (int row = 1; row <= kBoardRows; ++row) {
        for (int position = 1; position <= kRowHoles; ++position)
            g.holes[row - 1][position - 1] =
                QRectF(37 + 25 * (position - 1), 344 - 25 * (row - 1), 20, 20);
        g.clueBoxes[row - 1] = QRectF(136, 343 - 25 * (row - 1), 22, 22);
        g.markers[row - 1] = QRectF(15, 344 - 25 * (row - 1), 18, 20);
    }
    for (int position = 1; position <= kRowHoles; ++position)
        g.codeHoles[position - 1] = QRectF(38 + 25 * (position - 1), 32, 20, 20);
    boardart::paintBoard(p, g, litRow);
}

QRect bandOf(int row)
{
    return QRectF(13, 344 - 25 * (row - 1) - 2.5, 158, 25).toAlignedRect().adjusted(-1, -1, 1, 1);
}

TEST(PanelBackdropPicture, IsExactlyThePictureAFreshPaintingGives)
{
    const QPoint place(7, 29);
    for (qreal ratio : {1.0, 2.0}) {
        PanelBackdrop backdrop(QSize(200, 400), paintBoardPicture);
        for (int row : {0, 1, 6, 12}) {
            SCOPED_TRACE(::testing::Message() << "ratio " << ratio << ", row " << row);
            // Both painted where a window would put them.
            const QSize pixels = (QSize(200, 400) + QSize(place.x(), place.y())) * ratio;
            QImage fresh(pixels, QImage::Format_ARGB32_Premultiplied);
            QImage kept(pixels, QImage::Format_ARGB32_Premultiplied);
            fresh.setDevicePixelRatio(ratio);
            kept.setDevicePixelRatio(ratio);
            fresh.fill(Qt::black);
            kept.fill(Qt::black);
            {
                QPainter p(&fresh);
                p.translate(place);
                paintBoardPicture(p, -place, row);
            }
            {
                QPainter p(&kept);
                p.translate(place);
                backdrop.draw(p, -place, row, row != 0 ? bandOf(row) : QRect());
            }
            EXPECT_TRUE(kept == fresh);
        }
        EXPECT_EQ(backdrop.pixmapsMade(), 4);
    }
}

} // namespace
} // namespace kalvex::testing
