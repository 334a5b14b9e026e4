#include "windows/qt/help_form.h"

#include "windows/help_pages.h"
#include "windows/qt/desktop.h"
#include "windows/qt/windows_resources.h"

#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kalvex {

namespace {

constexpr int kSidePanelWidth = 137;
const QSize kClientSize(548, 422);

QString caption(const HelpPage &page)
{
    return QCoreApplication::translate("HelpPage", page.caption);
}

} // namespace

Thelp::Thelp(QWidget *mainWindow, const QPixmap &background, Desktop *desktop)
    : SecondaryWindow(mainWindow, background, Qt::white, Qt::Window),
      desktop(desktop ? *desktop : systemDesktop())
{
    initWindowsResources();
    setWindowTitle(tr("Kalvex - Help File"));
    setObjectName(QStringLiteral("Thelp"));
    setSizeGripEnabled(true);

    auto *side = new WhitePanel(this);
    side->setFixedWidth(kSidePanelWidth);
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(8, 10, 8, 10);
    sideLayout->setSpacing(5);
    for (const HelpPage &entry : kHelpPages) {
        auto *button = new QPushButton(caption(entry), side);
        button->setObjectName(QStringLiteral("button_page%1").arg(entry.number));
        button->setCheckable(true);
        button->setAutoDefault(false);
        const int number = entry.number;
        connect(button, &QPushButton::clicked, this, [this, number] { showPage(number); });
        sideLayout->addWidget(button);
        pageButtons.insert(number, button);
    }
    sideLayout->addSpacing(8);
    auto *aboutButton = new QPushButton(tr("About"), side);
    aboutButton->setObjectName(QStringLiteral("button_about"));
    aboutButton->setAutoDefault(false);
    connect(aboutButton, &QPushButton::clicked, this, &Thelp::aboutRequested);
    sideLayout->addWidget(aboutButton);
    sideLayout->addStretch();
    auto *credits = new QLabel(tr("Kalvex by the Kalvex team\n\nThanks to every player "
                                  "who reported a bug or suggested a rule."),
                               side);
    credits->setObjectName(QStringLiteral("label_credits"));
    credits->setAlignment(Qt::AlignCenter);
    credits->setWordWrap(true);
    QFont small = credits->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    credits->setFont(small);
    sideLayout->addWidget(credits);
    sideLayout->addSpacing(8);
    auto *doneButton = new QPushButton(tr("Done"), side);
    doneButton->setObjectName(QStringLiteral("button_done"));
    doneButton->setAutoDefault(false);
    connect(doneButton, &QPushButton::clicked, this, &QWidget::hide);
    sideLayout->addWidget(doneButton);

    auto *main = new WhitePanel(this);
    captionBar = new QLabel(main);
    captionBar->setObjectName(QStringLiteral("label_caption"));
    captionBar->setAlignment(Qt::AlignCenter);
    captionBar->setAutoFillBackground(true);
    captionBar->setMinimumHeight(26);
    QPalette bar = captionBar->palette();
    bar.setColor(QPalette::Window, QColor(222, 224, 228));
    captionBar->setPalette(bar);
    QFont barFont = captionBar->font();
    barFont.setBold(true);
    captionBar->setFont(barFont);

    text = new QTextBrowser(main);
    text->setObjectName(QStringLiteral("memo_page"));
    text->setFrameShape(QFrame::NoFrame);
    text->setReadOnly(true);
    text->setOpenLinks(false);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->document()->setDocumentMargin(10);
    connect(text, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        if (!this->desktop.openWebAddress(url))
            this->desktop.showMessage(this, tr("Cannot open Webpage"));
    });

    auto *mainLayout = new QVBoxLayout(main);
    mainLayout->setContentsMargins(2, 2, 2, 2);
    mainLayout->setSpacing(0);
    mainLayout->addWidget(captionBar);
    mainLayout->addWidget(text, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(side);
    layout->addWidget(main, 1);

    resize(kClientSize);
    setMinimumSize(420, 360);
    showPage(1);
}

QString Thelp::pageText(int number)
{
    initWindowsResources();
    // The pages written in the player's language, else the English ones.
    //: The folder of the help pages written in this language (assets/windows/help/<folder>)
    const QString language = tr("en", "help pages");
    QStringList places;
    if (language != QLatin1String("en"))
        places << QStringLiteral(":/windows/help/%1/page%2.html").arg(language).arg(number);
    places << QStringLiteral(":/windows/help/page%1.html").arg(number);
    for (const QString &place : std::as_const(places)) {
        QFile file(place);
        if (file.open(QIODevice::ReadOnly))
            return QString::fromUtf8(file.readAll());
    }
    return {};
}

void Thelp::showPage(int number)
{
    const auto button = pageButtons.constFind(number);
    if (button == pageButtons.constEnd())
        return;
    page = number;
    for (QPushButton *b : std::as_const(pageButtons))
        b->setChecked(b == *button);
    captionBar->setText((*button)->text());
    text->setHtml(pageText(number));
}

} // namespace kalvex
