#include "windows/qt/download_form.h"

#include "windows/qt/desktop.h"
#include "windows/qt/http_download.h"
#include "windows/qt/windows_resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLoggingCategory>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

Q_LOGGING_CATEGORY(lcDownload, "kalvex.windows", QtCriticalMsg)

namespace kalvex {

namespace {

const QSize kClientSize(724, 500);

QLabel *wrappedText(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel *statusLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setMinimumHeight(label->fontMetrics().height() + 2);
    return label;
}

QPushButton *bigButton(const QString &text, const QString &name, const QString &colour,
                       QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setCursor(Qt::PointingHandCursor);
    button->setMinimumHeight(36);
    button->setStyleSheet(
        QStringLiteral("QPushButton#%1 { color: %2; font-weight: bold; font-size: 13px;"
                       " padding: 6px 10px; border: 1px solid #8a96a8; border-radius: 6px;"
                       " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff,"
                       " stop:1 #dfe5ee); }"
                       "QPushButton#%1:hover { border-color: #4f79c0; }"
                       "QPushButton#%1:pressed { background: #d0d8e4; }"
                       "QPushButton#%1:disabled { color: #a0a6ae; }"
                       "QPushButton#%1:default { border: 2px solid #2f66c8; }")
            .arg(name, colour));
    return button;
}

// The advertising picture's size on the screen, in either of its forms.
constexpr QSize kPictureSize(340, 210);

// The advertising picture, decoded from its JPEG (one drawn at twice the
// size for screens scaled by more than 1); a painted plate stands in when the
// picture cannot be read.
QPixmap advertisingPicture(qreal ratio)
{
    initWindowsResources();
    const bool dense = ratio > 1.0;
    QImageReader reader(dense ? QStringLiteral(":/windows/lobby_ad@2x.jpg")
                              : QStringLiteral(":/windows/lobby_ad.jpg"));
    QImage image = reader.read();
    if (!image.isNull()) {
        image.setDevicePixelRatio(dense ? 2.0 : 1.0);
        return QPixmap::fromImage(image);
    }
    qCWarning(lcDownload) << "cannot read the lobby picture:" << reader.errorString();
    const QRect box(QPoint(0, 0), kPictureSize);
    QPixmap plate(box.size() * ratio);
    plate.setDevicePixelRatio(ratio);
    plate.fill(QColor(29, 59, 110));
    QPainter p(&plate);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(28);
    p.setFont(font);
    p.drawText(box, Qt::AlignCenter, QStringLiteral("Orbo77 Lobby"));
    return plate;
}

} // namespace

Tdownload::Tdownload(const QString &programDirectory, QWidget *mainWindow,
                     const QPixmap &background, Desktop *desktop)
    : SecondaryWindow(mainWindow, background, QColor(50, 84, 135),
                      Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      desktop(desktop ? *desktop : systemDesktop()), directory(programDirectory),
      lobby(QString::fromLatin1(kInstalledLobbyPath)), http(new HttpDownload(this))
{
    setWindowTitle(tr("Download The Orbo77 Lobby"));
    setObjectName(QStringLiteral("Tdownload"));
    setCentredOnScreen(true);
    const QString configured = qEnvironmentVariable("KALVEX_LOBBY_URL");
    address =
        QUrl(configured.isEmpty() ? QString::fromLatin1(kDefaultInstallerAddress) : configured);

    // Left panel: the lobby, its download and the download's state.
    auto *left = new WhitePanel(this);
    // The picture is decoded when the window is first shown (most runs never
    // show it); its place is kept from the start.
    picture = new QLabel(left);
    picture->setObjectName(QStringLiteral("image_ad"));
    picture->setFixedSize(kPictureSize);
    picture->setAlignment(Qt::AlignCenter);
    auto *closedCaption = new QLabel(tr("IS CLOSED"), picture);
    closedCaption->setObjectName(QStringLiteral("label_closed"));
    closedCaption->setStyleSheet(QStringLiteral(
        "color: #e02020; font-weight: bold; font-size: 10px; background: rgba(255,255,255,0.9);"
        " border-radius: 3px; padding: 1px 4px;"));
    closedCaption->adjustSize();
    closedCaption->move(kPictureSize.width() - closedCaption->width() - 8, 8);

    auto *pitch = wrappedText(tr("Download The Orbo77 Lobby Now to play this  and "
                                 "other exciting games online with other players! "),
                              left);
    pitch->setObjectName(QStringLiteral("label_pitch"));
    QFont pitchFont = pitch->font();
    pitchFont.setBold(true);
    pitch->setFont(pitchFont);

    getButton = bigButton(tr("Download And Install The Orbo77 Lobby Now"),
                          QStringLiteral("getbutton"), QStringLiteral("#d01818"), left);
    getButton->setAutoDefault(false);
    getButton->setMinimumHeight(44);
    info = statusLabel(QStringLiteral("infolabel"), left);
    info3 = statusLabel(QStringLiteral("infolabel3"), left);
    info2 = new QLabel(left);
    info2->setObjectName(QStringLiteral("infolabel2"));
    info2->hide();
    abortButton = new QPushButton(tr("Stop Download"), left);
    abortButton->setObjectName(QStringLiteral("abortbutton"));
    abortButton->setAutoDefault(false);

    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(10, 10, 10, 10);
    leftLayout->setSpacing(8);
    leftLayout->addWidget(picture, 0, Qt::AlignHCenter);
    leftLayout->addWidget(pitch);
    leftLayout->addWidget(getButton);
    leftLayout->addWidget(info);
    leftLayout->addWidget(info3);
    leftLayout->addStretch();
    leftLayout->addWidget(abortButton, 0, Qt::AlignHCenter);

    // Top right: the solo game.
    auto *solo = new WhitePanel(this);
    auto *soloText = wrappedText(tr("To proceed to the game without the ability to "
                                    "play against others click the button below."),
                                 solo);
    auto *soloButton =
        bigButton(tr("Play Solo Game"), QStringLiteral("Button1"), QStringLiteral("#1d4f9c"), solo);
    soloButton->setDefault(true);
    auto *firewall =
        wrappedText(tr("Note: Even if you are playing offline, you will need to configure your "
                       "FIREWALL to allow the game to access the internet components."),
                    solo);
    firewall->setObjectName(QStringLiteral("label_firewall"));
    firewall->setStyleSheet(QStringLiteral("color: #d01818;"));
    auto *soloLayout = new QVBoxLayout(solo);
    soloLayout->setContentsMargins(14, 14, 14, 14);
    soloLayout->setSpacing(12);
    soloLayout->addStretch();
    soloLayout->addWidget(soloText);
    soloLayout->addWidget(soloButton);
    soloLayout->addWidget(firewall);
    soloLayout->addStretch();

    // Bottom right: an installed lobby.
    auto *others = new WhitePanel(this);
    auto *othersText =
        wrappedText(tr("If you already have The Orbo77 Lobby and you wish to play with others "
                       "then click the button below to close this game and open The Orbo77 "
                       "Lobby."),
                    others);
    auto *othersButton = bigButton(tr("Play with Others"), QStringLiteral("Button2"),
                                   QStringLiteral("#1d4f9c"), others);
    othersButton->setAutoDefault(false);
    auto *othersLayout = new QVBoxLayout(others);
    othersLayout->setContentsMargins(14, 14, 14, 14);
    othersLayout->setSpacing(12);
    othersLayout->addStretch();
    othersLayout->addWidget(othersText);
    othersLayout->addWidget(othersButton);
    othersLayout->addStretch();

    auto *right = new QVBoxLayout;
    right->setSpacing(10);
    right->addWidget(solo, 1);
    right->addWidget(others, 1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(10);
    layout->addWidget(left, 0);
    layout->addLayout(right, 1);
    left->setFixedWidth(370);
    setFixedSize(kClientSize);

    connect(getButton, &QPushButton::clicked, this, &Tdownload::download);
    connect(abortButton, &QPushButton::clicked, this, &Tdownload::stopDownload);
    connect(soloButton, &QPushButton::clicked, this, &Tdownload::playSolo);
    connect(othersButton, &QPushButton::clicked, this, &Tdownload::playWithOthers);
    connect(http, &HttpDownload::headerData, this, [this] {
        progress.headerLine();
        showState();
    });
    connect(http, &HttpDownload::docBegin, this, [this] {
        progress.docBegin();
        showState();
    });
    connect(http, &HttpDownload::docData, this, [this](qint64 received) {
        progress.docData(received);
        showState();
    });
    connect(http, &HttpDownload::requestDone, this, &Tdownload::finish);
    showState();
}

Tdownload::~Tdownload()
{
    // The request goes before the file it writes into.
    delete http;
}

void Tdownload::showEvent(QShowEvent *event)
{
    if (picture->pixmap().isNull())
        picture->setPixmap(advertisingPicture(devicePixelRatioF()));
    SecondaryWindow::showEvent(event);
}

void Tdownload::showState()
{
    info->setText(QString::fromStdString(progress.infolabel()));
    info2->setText(QString::fromStdString(progress.infolabel2()));
    info3->setText(QString::fromStdString(progress.infolabel3()));
    getButton->setEnabled(progress.getEnabled());
    abortButton->setEnabled(progress.abortEnabled());
    emit stateShown();
}

void Tdownload::download()
{
    if (progress.running())
        return;
    progress.prepare(address.toString().toStdString());
    showState();

    const QString name = QString::fromStdString(progress.infolabel2());
    file.setFileName(QDir(directory).filePath(name));
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const QString reason =
            name.isEmpty() ? tr("the address names no file") : file.errorString();
        desktop.showError(this, tr("Cannot create file \"%1\". %2")
                                    .arg(QDir::toNativeSeparators(file.fileName()), reason));
        return;
    }
    progress.started();
    showState();
    http->get(address, &file);
}

void Tdownload::stopDownload()
{
    http->abort();
    progress.stop();
    showState();
}

void Tdownload::finish(bool succeeded, const QString &error)
{
    const qint64 size = file.size();
    file.close();
    if (!error.isEmpty()) {
        progress.endWithError();
        showState();
        emit downloadEnded();
        desktop.showError(this, error);
        return;
    }
    const bool install = progress.end(succeeded, size);
    showState();
    emit downloadEnded();
    if (install)
        startInstaller();
}

void Tdownload::startInstaller()
{
    const QUrl source = http->documentAddress();
    if (!mayStartProgramFrom(source.scheme().toStdString(), source.host().toStdString())) {
        // Anyone on the way could have replaced it: it is neither made
        // executable nor started.
        qCWarning(lcDownload) << "not starting an installer fetched without HTTPS from"
                              << source.toString();
        desktop.showMessage(this, tr("An Error has Occurred."));
        return;
    }
    const QString installer = file.fileName();
    // A downloaded file is not executable until we make it so.
    QFile::setPermissions(installer, QFile::permissions(installer) | QFileDevice::ExeOwner);
    const QStringList parameters =
        QString::fromLatin1(kInstallerParameters.data(),
                            static_cast<qsizetype>(kInstallerParameters.size()))
            .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!desktop.startProgram(installer, parameters)) {
        desktop.showMessage(this, tr("An Error has Occurred."));
        return;
    }
    emit exitRequested();
}

void Tdownload::playSolo()
{
    hide();
}

void Tdownload::playWithOthers()
{
    // The lobby installed with this game sits beside it; the fixed path is
    // where a separately installed lobby lives.
    const QFileInfo beside(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kalvex-lobby")));
    const QString program =
        beside.isFile() && beside.isExecutable() ? beside.absoluteFilePath() : lobby;
    if (!QFileInfo::exists(program)) {
        desktop.showMessage(this,
                            tr("Please close the game and open the Orbo77 Lobby using the icon "
                               "on your desktop or using the your Window's start-up menu."));
        return;
    }
    desktop.startProgram(program, {});
    emit exitRequested();
}

} // namespace kalvex
