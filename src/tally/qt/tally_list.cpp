#include "tally/qt/tally_list.h"

#include "net/qt/display_text.h"

#include "tally/save_temporaries.h"
#include "tally/tally_file.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

Q_LOGGING_CATEGORY(lcTally, "kalvex.tally", QtWarningMsg)

namespace kalvex {

namespace {

constexpr int kNameRole = Qt::UserRole;

std::string nameOf(const QListWidgetItem *item)
{
    return item->data(kNameRole).toByteArray().toStdString();
}

QListWidgetItem *newCheckItem(QListWidget *list, const std::string &name, bool ticked)
{
    auto *item = new QListWidgetItem(displayText(name), list);
    item->setData(kNameRole, QByteArray::fromStdString(name));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    return item;
}

QLabel *newLabel(const QString &text, QWidget *parent, const char *objectName = nullptr)
{
    auto *l = new QLabel(text, parent);
    if (objectName)
        l->setObjectName(QString::fromLatin1(objectName));
    return l;
}

// A white panel, so that its texts read well on any background picture.
QFrame *panel(const char *objectName, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(objectName));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    QPalette pal = frame->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    frame->setPalette(pal);
    return frame;
}

QLabel *heading(const QString &text, QWidget *parent)
{
    QLabel *l = newLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

Ttallylist::Ttallylist(const QString &directory, QWidget *mainWindow, ErrorReporter reporter)
    : QDialog(mainWindow), directory(directory), filePath(tallyFilePath(directory.toStdString())),
      reporter(std::move(reporter))
{
    setObjectName(QStringLiteral("Ttallylist"));
    setWindowTitle(tr("Kalvex  - Tally List"));
    setModal(false);
    buildWindow();
    if (mainWindow) {
        const QBrush background = mainWindow->palette().brush(QPalette::Window);
        if (!background.texture().isNull())
            setBackground(background.texture());
    }
    load();
}

Ttallylist::~Ttallylist()
{
    if (!storingAllowed)
        return;
    try {
        writeTallyFile(filePath, tally.table());
    } catch (const std::exception &e) {
        qCWarning(lcTally) << "storing the tally at exit failed:" << e.what();
    }
}

void Ttallylist::buildWindow()
{
    setFixedSize(455, 349);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    QFrame *own = panel("panel_own", this);
    auto *ownGrid = new QGridLayout(own);
    ownGrid->setContentsMargins(8, 4, 8, 4);
    ownGrid->setVerticalSpacing(1);
    ownGrid->addWidget(heading(tr("Your Total Tally"), own), 0, 0, 1, 2);
    const char *ownCaptions[] = {QT_TR_NOOP("Total Games:"), QT_TR_NOOP("Your Wins:"),
                                 QT_TR_NOOP("Codes Cracked:"), QT_TR_NOOP("Var4:")};
    for (int n = 1; n <= 4; ++n) {
        QLabel *caption = newLabel(tr(ownCaptions[n - 1]), own);
        mylabel[n] = newLabel(QStringLiteral("0"), own, nullptr);
        mylabel[n]->setObjectName(QStringLiteral("mylabel_%1").arg(n));
        ownGrid->addWidget(caption, n, 0, Qt::AlignRight);
        ownGrid->addWidget(mylabel[n], n, 1);
        if (n == 4) {
            caption->hide();
            mylabel[n]->hide();
        }
    }
    ownGrid->setColumnStretch(1, 1);

    QFrame *opponent = panel("panel_opponent", this);
    auto *oppGrid = new QGridLayout(opponent);
    oppGrid->setContentsMargins(8, 2, 8, 4);
    oppGrid->setVerticalSpacing(1);
    label_hisnametop = newLabel(QString(), opponent, "label_hisnametop");
    QFont big = label_hisnametop->font();
    big.setPointSizeF(big.pointSizeF() * 1.35);
    big.setBold(true);
    label_hisnametop->setFont(big);
    label_hisnametop->setAlignment(Qt::AlignCenter);
    label_hisnametop->setMinimumHeight(QFontMetrics(big).height());
    oppGrid->addWidget(label_hisnametop, 0, 0, 1, 3);
    for (int col = 0; col < 2; ++col) {
        QLabel *h = heading(col == 0 ? tr("Total") : tr("Session"), opponent);
        QFont f = h->font();
        f.setUnderline(true);
        h->setFont(f);
        h->setAlignment(Qt::AlignCenter);
        oppGrid->addWidget(h, 1, col + 1);
    }
    label_hisname = newLabel(tr("%1 Wins:").arg(QStringLiteral("XX")), opponent, "label_hisname");
    QLabel *rowCaptions[] = {newLabel(tr("Number of Games"), opponent), label_hisname,
                             newLabel(tr("Your Wins:"), opponent),
                             newLabel(tr("Neither Won:"), opponent)};
    for (int r = 0; r < 4; ++r) {
        rowCaptions[r]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        oppGrid->addWidget(rowCaptions[r], r + 2, 0);
        for (int col = 0; col < 2; ++col) {
            const int n = r + 1 + col * 4;
            label[n] = newLabel(QStringLiteral("0"), opponent);
            label[n]->setObjectName(QStringLiteral("label_%1").arg(n));
            label[n]->setAlignment(Qt::AlignCenter);
            oppGrid->addWidget(label[n], r + 2, col + 1);
        }
    }
    oppGrid->setColumnStretch(0, 3);
    oppGrid->setColumnStretch(1, 1);
    oppGrid->setColumnStretch(2, 1);

    QFrame *current = panel("panel_currentgame", this);
    checklist = new QListWidget(current);
    checklist->setObjectName(QStringLiteral("checklist"));
    auto *currentBox = new QVBoxLayout(current);
    currentBox->setContentsMargins(6, 4, 6, 6);
    currentBox->setSpacing(3);
    currentBox->addWidget(heading(tr("Players In Current Game"), current));
    currentBox->addWidget(checklist, 1);

    QFrame *tallied = panel("panel_tallied", this);
    listbox_tally = new QListWidget(tallied);
    listbox_tally->setObjectName(QStringLiteral("listbox_tally"));
    auto *talliedBox = new QVBoxLayout(tallied);
    talliedBox->setContentsMargins(6, 4, 6, 6);
    talliedBox->setSpacing(3);
    talliedBox->addWidget(heading(tr("Players Being Tallied"), tallied));
    talliedBox->addWidget(listbox_tally, 1);

    button_reset = new QPushButton(tr("Reset Tally"), this);
    button_reset->setObjectName(QStringLiteral("button_reset"));
    button_reset->setAutoDefault(false);
    button_done = new QPushButton(tr("Done"), this);
    button_done->setObjectName(QStringLiteral("button_done"));
    button_done->setDefault(true);

    auto *left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(own);
    left->addWidget(opponent);
    left->addWidget(current, 1);

    auto *right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(tallied, 1);
    right->addWidget(button_reset);
    right->addWidget(button_done);

    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(8, 8, 8, 8);
    columns->setSpacing(10);
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);

    connect(button_done, &QPushButton::clicked, this, &QDialog::close);
    connect(button_reset, &QPushButton::clicked, this, &Ttallylist::resetTally);
    connect(checklist, &QListWidget::itemChanged, this, &Ttallylist::onCheckListChanged);
    connect(listbox_tally, &QListWidget::itemChanged, this, &Ttallylist::onTalliedChanged);
    connect(listbox_tally, &QListWidget::currentRowChanged, this,
            [this] { refreshOpponentPanel(); });
}

void Ttallylist::setBackground(const QPixmap &picture)
{
    QPalette pal = palette();
    pal.setBrush(QPalette::Window, QBrush(picture));
    setPalette(pal);
}

QString Ttallylist::tallyFile() const
{
    return QString::fromStdString(filePath);
}

void Ttallylist::load()
{
    save_temporaries::removeStale(filePath);
    StrGrid table;
    try {
        if (!readTallyFile(filePath, table))
            return;
        tally.loadtally(std::move(table));
    } catch (const std::exception &e) {
        // The tally starts empty; the damaged file is set aside so that a
        // repair can still use it.
        QString text = QString::fromStdString(e.what());
        const std::string kept = keepUnreadableFile(filePath);
        if (!kept.empty()) {
            text += tr("\n\nThe unreadable tally file was kept as %1; a new tally is started.")
                        .arg(QString::fromStdString(kept));
        } else {
            storingAllowed = false;
            text += tr("\n\nThe unreadable tally file %1 could not be set aside, so the "
                       "tally will not be saved while the program runs.")
                        .arg(tallyFile());
        }
        tally = TallyModel();
        report(text);
        return;
    }
    rebuildTalliedList();
    refreshOwnLabels();
}

bool Ttallylist::store()
{
    if (!storingAllowed)
        return false;
    try {
        writeTallyFile(filePath, tally.table());
        return true;
    } catch (const std::exception &e) {
        qCWarning(lcTally) << "storing the tally failed:" << e.what();
        if (!storeFailureReported) {
            storeFailureReported = true;
            report(tr("The tally could not be saved: %1").arg(QString::fromStdString(e.what())));
        }
        return false;
    }
}

void Ttallylist::changed()
{
    refreshOwnLabels();
    store();
}

void Ttallylist::addgame(std::string_view winner)
{
    loadchecklist();
    std::vector<std::string> players;
    for (int i = 0; i < checklist->count(); ++i)
        players.push_back(nameOf(checklist->item(i)));
    tally.addgame(winner, players);
    if (listbox_tally->currentRow() >= 0)
        refreshOpponentPanel();
    changed();
}

void Ttallylist::addgame(const QString &winner)
{
    const QByteArray bytes = winner.toUtf8();
    addgame(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void Ttallylist::addtomineincrease(int column)
{
    if (column < 1 || column > 4)
        return;
    tally.addtomineincrease(column);
    changed();
}

void Ttallylist::loadchecklist()
{
    updatingLists = true;
    checklist->clear();
    if (roster) {
        for (const std::string &name : playersInCurrentGame(*roster))
            newCheckItem(checklist, name, tally.findOpponent(name) >= 0);
    }
    updatingLists = false;
}

void Ttallylist::viewTally()
{
    if (isVisible())
        loadchecklist();
    show();
    raise();
    activateWindow();
}

void Ttallylist::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        loadchecklist();
        if (QWidget *main = parentWidget(); main && !placed) {
            setGeometry(
                QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), main->geometry()));
            placed = true;
        }
    }
    QDialog::showEvent(event);
}

void Ttallylist::setSeats(std::function<int()> myslot, std::function<std::string(int)> seatName)
{
    class FunctionSeats : public TallySeats
    {
    public:
        FunctionSeats(std::function<int()> mine, std::function<std::string(int)> name)
            : mine(std::move(mine)), name(std::move(name))
        {}
        int myslot() const override { return mine ? mine() : 0; }
        std::string seatName(int slot) const override { return name ? name(slot) : kFreeSeat; }

    private:
        std::function<int()> mine;
        std::function<std::string(int)> name;
    };
    ownedSeats = std::make_unique<FunctionSeats>(std::move(myslot), std::move(seatName));
    roster = ownedSeats.get();
}

void Ttallylist::tallyPlayer(const std::string &name)
{
    if (!tally.addOpponent(name)) {
        markCurrentGameList();
        return;
    }
    updatingLists = true;
    newCheckItem(listbox_tally, tally.opponentName(tally.opponentCount() - 1), true);
    updatingLists = false;
    markCurrentGameList();
    store();
}

void Ttallylist::untallyPlayer(int index)
{
    if (index < 0 || index >= tally.opponentCount())
        return;
    const QString name = displayText(tally.opponentName(index));
    if (ask(tr("This will delete %1's Tally, Are you want to delete it?").arg(name))) {
        tally.removeOpponent(index);
        rebuildTalliedList();
        markCurrentGameList();
        store();
    } else if (QListWidgetItem *item = listbox_tally->item(index)) {
        updatingLists = true;
        item->setCheckState(Qt::Checked);
        updatingLists = false;
    }
}

void Ttallylist::resetTally()
{
    if (!ask(tr("Are you sure you want to reset the Tally?")))
        return;
    tally.reset();
    updatingLists = true;
    listbox_tally->clear();
    updatingLists = false;
    for (int n = 1; n <= 8; ++n)
        label[n]->setText(QStringLiteral("0"));
    markCurrentGameList();
    changed();
}

void Ttallylist::refreshOwnLabels()
{
    for (int n = 1; n <= 4; ++n)
        mylabel[n]->setText(displayText(tally.cell(n, 0)));
    mylabel[3]->setText(displayText(tally.codesCrackedText()));
}

void Ttallylist::refreshOpponentPanel()
{
    const int index = listbox_tally->currentRow();
    if (index < 0 || index >= tally.opponentCount())
        return;
    for (int n = 1; n <= 8; ++n)
        label[n]->setText(displayText(tally.cell(n, index + 1)));
    const QString name = displayText(tally.opponentName(index));
    label_hisname->setText(tr("%1 Wins:").arg(name));
    label_hisnametop->setText(tr("%1's Tally").arg(name));
}

void Ttallylist::rebuildTalliedList()
{
    updatingLists = true;
    const int current = listbox_tally->currentRow();
    listbox_tally->clear();
    for (int i = 0; i < tally.opponentCount(); ++i)
        newCheckItem(listbox_tally, tally.opponentName(i), true);
    if (current >= 0 && current < listbox_tally->count())
        listbox_tally->setCurrentRow(current);
    updatingLists = false;
}

// Each name of the current game is ticked exactly when it is tallied.
void Ttallylist::markCurrentGameList()
{
    updatingLists = true;
    for (int i = 0; i < checklist->count(); ++i) {
        QListWidgetItem *item = checklist->item(i);
        item->setCheckState(tally.findOpponent(nameOf(item)) >= 0 ? Qt::Checked : Qt::Unchecked);
    }
    updatingLists = false;
}

void Ttallylist::onCheckListChanged(QListWidgetItem *item)
{
    if (updatingLists)
        return;
    // Acted on once the click is over, so that the lists may change freely.
    const std::string name = nameOf(item);
    QTimer::singleShot(0, this, [this, name] { tallyPlayer(name); });
}

void Ttallylist::onTalliedChanged(QListWidgetItem *item)
{
    if (updatingLists || item->checkState() == Qt::Checked)
        return;
    const std::string name = nameOf(item);
    QTimer::singleShot(0, this, [this, name] {
        for (int i = 0; i < listbox_tally->count(); ++i) {
            QListWidgetItem *it = listbox_tally->item(i);
            if (nameOf(it) == name && it->checkState() != Qt::Checked) {
                untallyPlayer(i);
                return;
            }
        }
    });
}

bool Ttallylist::ask(const QString &question)
{
    if (confirm)
        return confirm(question);
    return QMessageBox::question(this, tr("Confirm"), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void Ttallylist::report(const QString &text)
{
    if (reporter) {
        reporter(text);
        return;
    }
    // Shown once the event loop runs, so that creating the window never waits.
    QPointer<QWidget> owner(parentWidget());
    QTimer::singleShot(
        0, [owner, text] { QMessageBox::critical(owner, Ttallylist::tr("Error"), text); });
}

} // namespace kalvex
