#include "windows/qt/about_form.h"
#include "client/qt/board_art.h"

#include "net/message.h"
#include "windows/qt/desktop.h"
#include "windows/qt/window_art.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kalvex {

namespace {

constexpr QSize kLogoSize(260, 130);

QLabel *centredLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

Tabout::Tabout(QWidget *mainWindow, const QPixmap &background, Desktop *desktop)
    : SecondaryWindow(mainWindow, background, Qt::white,
                      Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      desktop(desktop ? *desktop : systemDesktop())
{
    setWindowTitle(tr("Kalvex - About"));
    setObjectName(QStringLiteral("Tabout"));

    auto *panel = new WhitePanel(this);

    logo = new QLabel(panel);
    logo->setObjectName(QStringLiteral("image_logo"));
    logo->setAlignment(Qt::AlignCenter);
    // Painted at each paint for the ratio painted on (see eventFilter).
    logo->setMinimumSize(kLogoSize);
    logo->setCursor(Qt::PointingHandCursor);
    logo->setToolTip(tr("Click to close"));
    logo->installEventFilter(this);

    webLine = centredLabel(QString::fromLatin1(kMakerWebAddress), panel);
    webLine->setObjectName(QStringLiteral("label_web"));
    webLine->setCursor(Qt::PointingHandCursor);
    webLine->setStyleSheet(QStringLiteral("color: #1a56c4; text-decoration: underline;"));
    webLine->setToolTip(tr("Open the web page"));
    webLine->installEventFilter(this);

    auto *game = centredLabel(QStringLiteral("Kalvex"), panel);
    QFont big = game->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    game->setFont(big);
    auto *credits = centredLabel(tr("The code-breaking board game with chat\n"
                                    "Game design, code, pictures and sounds by the Kalvex team\n"
                                    "Copyright \u00A9 the Kalvex team"),
                                 panel);
    credits->setObjectName(QStringLiteral("label_credits"));

    auto *versionRow = new QHBoxLayout;
    versionRow->setSpacing(0);
    auto *versionCaption = new QLabel(tr("Version "), panel);
    auto *version = new QLabel(versionText(), panel);
    version->setObjectName(QStringLiteral("label_version"));
    auto *build = new QLabel(QStringLiteral(".6"), panel);
    build->setObjectName(QStringLiteral("label_build"));
    versionRow->addStretch();
    versionRow->addWidget(versionCaption);
    versionRow->addWidget(version);
    versionRow->addWidget(build);
    versionRow->addStretch();

    auto *doneButton = new QPushButton(tr("Done"), panel);
    doneButton->setObjectName(QStringLiteral("button_done"));
    doneButton->setDefault(true);
    connect(doneButton, &QPushButton::clicked, this, &QDialog::close);

    auto *inner = new QVBoxLayout(panel);
    inner->setContentsMargins(20, 16, 20, 14);
    inner->setSpacing(6);
    inner->addWidget(logo);
    inner->addWidget(game);
    inner->addWidget(credits);
    inner->addWidget(webLine);
    inner->addLayout(versionRow);
    inner->addSpacing(6);
    inner->addWidget(doneButton, 0, Qt::AlignHCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(panel);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString Tabout::versionText()
{
    return QString::fromLatin1(kVersion.data(), static_cast<qsizetype>(kVersion.size()));
}

void Tabout::openWebPage()
{
    const QUrl url(QStringLiteral("http://") + QString::fromLatin1(kMakerWebAddress));
    if (!desktop.openWebAddress(url))
        desktop.showMessage(this, tr("Cannot open Webpage"));
}

bool Tabout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == logo && event->type() == QEvent::Paint) {
        QPainter p(logo);
        const QPixmap picture = kalvexLogo(kLogoSize, boardart::paintedPixelRatio(p));
        const QRect box = QStyle::alignedRect(logo->layoutDirection(), Qt::AlignCenter, kLogoSize,
                                              logo->contentsRect());
        p.drawPixmap(box.topLeft(), picture);
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == logo) {
            hide();
            return true;
        }
        if (watched == webLine) {
            openWebPage();
            return true;
        }
    }
    return SecondaryWindow::eventFilter(watched, event);
}

} // namespace kalvex
