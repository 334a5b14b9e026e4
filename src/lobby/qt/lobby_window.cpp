#include "lobby/qt/lobby_window.h"

#include "app/launch_plan.h"
#include "lobby/game_address.h"
#include "lobby/game_command.h"
#include "lobby/player_name.h"
#include "lobby/qt/discovery.h"
#include "lobby/qt/game_launcher.h"
#include "lobby/qt/game_room.h"
#include "lobby/qt/internet_tab.h"
#include "lobby/qt/lobby_link.h"
#include "lobby/qt/lobby_settings.h"
#include "lobby/qt/password_store.h"
#include "lobby/qt/port_mapper.h"
#include "lobby/qt/room_advertiser.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kalvex {

namespace {

constexpr int kRefreshMs = 1000;

enum Column
{
    HostColumn,
    AddressColumn,
    PortColumn,
    SeenColumn
};

int portFromEnvironment(const char *name, int fallback)
{
    const QByteArray value = qgetenv(name);
    return portFromText(value.isNull() ? nullptr : value.constData(), fallback);
}

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setMinimumHeight(32);
    return b;
}

QLabel *label(const char *name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    return l;
}

} // namespace

LobbyWindow::Ports LobbyWindow::portsFromEnvironment()
{
    Ports ports;
    ports.link = static_cast<quint16>(portFromEnvironment("KALVEX_LOBBY_PORT", 9001));
    ports.discovery = discoveryPort();
    ports.game = portFromEnvironment("KALVEX_PORT", kDefaultGamePort);
    return ports;
}

LobbyWindow::LobbyWindow(const Ports &ports, InternetServices internetServices, QWidget *parent)
    : QWidget(parent), ports(ports), links(new LobbyLinkListener(this)),
      listener(new DiscoveryListener(this)), announcer(new GameAnnouncer(this)),
      games(new GameLauncher(this)), services(std::move(internetServices)),
      advertiser(std::make_unique<RoomAdvertiser>(*services.room, *services.mapper))
{
    setObjectName(QStringLiteral("LobbyWindow"));
    setWindowTitle(QStringLiteral("Orbo77 Lobby"));
    clock.start();

    auto *nameLabel = new QLabel(tr("Your name:"), this);
    nameEdit = new QLineEdit(loadLobbyPlayerName(), this);
    nameEdit->setObjectName(QStringLiteral("edit_name"));
    nameEdit->setMaxLength(static_cast<int>(kMaxPlayerNameBytes));
    nameLabel->setBuddy(nameEdit);

    auto *listLabel = new QLabel(tr("Games on this network:"), this);
    gameList = new QTreeWidget(this);
    gameList->setObjectName(QStringLiteral("list_games"));
    gameList->setHeaderLabels({tr("Host"), tr("Address"), tr("Port"), tr("Seen")});
    gameList->setRootIsDecorated(false);
    gameList->setUniformRowHeights(true);
    gameList->setAllColumnsShowFocus(true);
    gameList->header()->setSectionResizeMode(HostColumn, QHeaderView::Stretch);
    gameList->header()->setStretchLastSection(false);
    gameList->setColumnWidth(AddressColumn, 150);
    gameList->setColumnWidth(PortColumn, 60);
    gameList->setColumnWidth(SeenColumn, 80);
    listLabel->setBuddy(gameList);
    discoveryState = label("label_discovery", this);

    auto *addressLabel = new QLabel(tr("Host's address:"), this);
    addressEdit = new QLineEdit(this);
    addressEdit->setObjectName(QStringLiteral("edit_address"));
    addressEdit->setPlaceholderText(
        tr("a game in the list, or host, host:port, [IPv6 address]:port"));
    addressLabel->setBuddy(addressEdit);

    hostButton = button(tr("Host a Game"), "button_host", this);
    joinButton = button(tr("Join"), "button_join", this);
    soloButton = button(tr("Solo Game"), "button_solo", this);
    rejoinButton = button(tr("Rejoin"), "button_rejoin", this);
    rejoinButton->hide();

    status = label("label_status", this);
    gameState = label("label_game", this);
    linkState = label("label_link", this);

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(nameEdit, 1);
    auto *addressRow = new QHBoxLayout;
    addressRow->addWidget(addressLabel);
    addressRow->addWidget(addressEdit, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(hostButton);
    buttons->addWidget(joinButton);
    buttons->addWidget(soloButton);
    buttons->addStretch();
    buttons->addWidget(rejoinButton);

    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs_lobby"));
    auto *localPage = new QWidget(tabs);
    localPage->setObjectName(QStringLiteral("tab_local"));
    auto *localLayout = new QVBoxLayout(localPage);
    localLayout->addWidget(listLabel);
    localLayout->addWidget(gameList, 1);
    localLayout->addWidget(discoveryState);
    tabs->addTab(localPage, tr("Local Network"));
    internet = new InternetTab(
        *services.room, *services.passwords, *advertiser,
        [this]() -> std::optional<QString> {
            const std::optional<std::string> name = checkedName();
            if (!name)
                return std::nullopt;
            saveLobbyPlayerName(QString::fromStdString(*name));
            return QString::fromStdString(*name);
        },
        tabs);
    tabs->addTab(internet, tr("Internet"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addSpacing(6);
    layout->addWidget(tabs, 1);
    layout->addLayout(addressRow);
    layout->addLayout(buttons);
    layout->addWidget(gameState);
    layout->addWidget(status);
    layout->addWidget(linkState);
    resize(760, 680);

    connect(hostButton, &QPushButton::clicked, this, &LobbyWindow::hostGame);
    connect(joinButton, &QPushButton::clicked, this, &LobbyWindow::joinGame);
    connect(soloButton, &QPushButton::clicked, this, &LobbyWindow::playSolo);
    connect(rejoinButton, &QPushButton::clicked, this, &LobbyWindow::rejoin);
    connect(addressEdit, &QLineEdit::returnPressed, this, &LobbyWindow::joinGame);
    // A problem shown goes once the player corrects what it was about.
    connect(nameEdit, &QLineEdit::textEdited, this, [this] { showNote(QString()); });
    connect(addressEdit, &QLineEdit::textEdited, this, [this] { showNote(QString()); });
    connect(gameList, &QTreeWidget::itemSelectionChanged, this, &LobbyWindow::selectionChanged);
    connect(gameList, &QTreeWidget::itemActivated, this, &LobbyWindow::joinGame);
    connect(links, &LobbyLinkListener::linksChanged, this, &LobbyWindow::linksChanged);
    connect(listener, &DiscoveryListener::announced, this, &LobbyWindow::heard);
    connect(games, &GameLauncher::ended, this, &LobbyWindow::gameEnded);
    connect(games, &GameLauncher::startFailed, this, [this](const QString &message) {
        hosted.reset();
        updateAnnouncing();
        rejoinOffered.otherGameStarted();
        showProblem(message);
        showGameState();
    });
    connect(&refreshTimer, &QTimer::timeout, this, &LobbyWindow::refresh);
    connect(internet, &InternetTab::gameSelected, this, [this](const GameAddress &address) {
        addressEdit->setText(QString::fromStdString(displayAddress(address)));
        showNote(QString());
    });
    connect(internet, &InternetTab::unreachableSelected, this, [this](bool unreachable) {
        roomGameUnreachable = unreachable;
        if (unreachable) {
            addressEdit->clear();
            showNote(tr("This game cannot be reached from outside its host's network: ask its "
                        "host for an address."));
        }
        showGameState();
    });
    connect(internet, &InternetTab::gameActivated, this, &LobbyWindow::joinGame);
    connect(internet, &InternetTab::nameChosen, this, [this](const QString &name) {
        nameEdit->setText(name);
        showNote(QString());
    });
    connect(addressEdit, &QLineEdit::textEdited, this, [this] {
        roomGameUnreachable = false;
        showGameState();
    });
    connect(tabs, &QTabWidget::currentChanged, this, &LobbyWindow::showGameState);

    QString error;
    linkState->hide();
    status->hide();
    if (!links->listen(ports.link, &error))
        linkState->setText(tr("The lobby port %1 is in use (%2): games started here run without "
                              "their lobby link.")
                               .arg(QString::number(ports.link), error));
    linkState->setVisible(!linkState->text().isEmpty());
    discoveryUnavailable = !listener->listen(ports.discovery, &error);
    if (discoveryUnavailable)
        discoveryState->setText(tr("Games on this network cannot be found: UDP port %1 is not "
                                   "available (%2).")
                                    .arg(QString::number(ports.discovery), error));
    else
        discoveryState->setText(tr("Looking for games on this network..."));
    games->setLinkPort(ports.link);
    refreshTimer.start(kRefreshMs);
    showGameState();
}

LobbyWindow::~LobbyWindow()
{
    // The parts go after this window's own state: what they report while
    // they close (a link's end) is no longer for it.
    links->disconnect(this);
    listener->disconnect(this);
    games->disconnect(this);
    // The room's page goes before the room; the advertiser (with the
    // router's mapping) before the mapper.
    delete internet;
    advertiser.reset();
    services.room->leave();
}

bool LobbyWindow::linkListening() const
{
    return links->listening();
}

int LobbyWindow::openLinks() const
{
    return links->openLinks();
}

bool LobbyWindow::announcing() const
{
    return announcer->active();
}

void LobbyWindow::bringForward()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

std::optional<std::string> LobbyWindow::checkedName()
{
    const std::string name = nameEdit->text().toStdString();
    if (const std::optional<std::string> problem = playerNameProblem(name)) {
        showProblem(QString::fromStdString(*problem));
        nameEdit->setFocus();
        return std::nullopt;
    }
    return name;
}

bool LobbyWindow::launch(const GameCommand &command)
{
    QString problem;
    if (!games->start(command, &problem)) {
        showProblem(problem);
        return false;
    }
    showNote(QString());
    showGameState();
    return true;
}

void LobbyWindow::hostGame()
{
    const std::optional<std::string> name = checkedName();
    if (!name)
        return;
    saveLobbyPlayerName(QString::fromStdString(*name));
    if (!launch(hostCommand(*name, ports.game)))
        return;
    rejoinOffered.otherGameStarted();
    hosted = GameAnnouncement{ports.game, *name};
    updateAnnouncing();
    showGameState();
}

void LobbyWindow::joinGame()
{
    if (unreachableGameSelected())
        return;
    const std::optional<std::string> name = checkedName();
    if (!name)
        return;
    const QString typed = addressEdit->text().trimmed();
    if (typed.isEmpty()) {
        showProblem(tr("Select a game in the list, or type the host's address."));
        addressEdit->setFocus();
        return;
    }
    const std::optional<GameAddress> address = parseGameAddress(typed.toStdString());
    if (!address) {
        showProblem(tr("\"%1\" is not an address: type host, host:port or [IPv6 address]:port.")
                        .arg(typed));
        addressEdit->setFocus();
        return;
    }
    saveLobbyPlayerName(QString::fromStdString(*name));
    const bool listed = found.find(address->host, address->port) != nullptr;
    if (launch(joinCommand(*name, *address))) {
        hosted.reset();
        updateAnnouncing();
        rejoinOffered.joinStarted({*name, *address, listed});
        showGameState();
    }
}

void LobbyWindow::playSolo()
{
    if (launch(soloCommand())) {
        hosted.reset();
        updateAnnouncing();
        rejoinOffered.otherGameStarted();
        showGameState();
    }
}

void LobbyWindow::rejoin()
{
    const std::optional<RejoinTarget> target = rejoinOffer();
    if (!target)
        return;
    nameEdit->setText(QString::fromStdString(target->playerName));
    if (launch(joinCommand(target->playerName, target->address))) {
        rejoinOffered.joinStarted(*target);
        showGameState();
    }
}

void LobbyWindow::heard(const QString &address, int port, const QString &hostName)
{
    if (found.heard(address.toStdString(), port, hostName.toStdString(), clock.elapsed()))
        showGames();
}

void LobbyWindow::refresh()
{
    found.forgetOld(clock.elapsed());
    showGames();
    showGameState();
}

void LobbyWindow::showGames()
{
    const std::vector<FoundGame> &list = found.games();
    const qint64 now = clock.elapsed();
    QString selectedAddress;
    QString selectedPort;
    if (QTreeWidgetItem *current = gameList->currentItem()) {
        selectedAddress = current->text(AddressColumn);
        selectedPort = current->text(PortColumn);
    }
    const QSignalBlocker blocker(gameList);
    while (gameList->topLevelItemCount() > static_cast<int>(list.size()))
        delete gameList->takeTopLevelItem(gameList->topLevelItemCount() - 1);
    while (gameList->topLevelItemCount() < static_cast<int>(list.size()))
        gameList->addTopLevelItem(new QTreeWidgetItem);
    gameList->clearSelection();
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        const FoundGame &game = list[static_cast<size_t>(i)];
        QTreeWidgetItem *item = gameList->topLevelItem(i);
        item->setText(HostColumn, QString::fromStdString(game.hostName));
        item->setText(AddressColumn, QString::fromStdString(game.address));
        item->setText(PortColumn, QString::number(game.port));
        item->setText(SeenColumn, QString::fromStdString(heardAgoText(game.lastHeardMs, now)));
        if (item->text(AddressColumn) == selectedAddress &&
            item->text(PortColumn) == selectedPort) {
            gameList->setCurrentItem(item);
            item->setSelected(true);
        }
    }
    if (!discoveryUnavailable) // else its reason stays shown
        discoveryState->setText(
            list.empty() ? tr("Looking for games on this network...")
                         : tr("Double-click a game to join it, or select it and press Join."));
    emit stateShown();
}

void LobbyWindow::selectionChanged()
{
    const QList<QTreeWidgetItem *> selected = gameList->selectedItems();
    if (selected.isEmpty())
        return;
    const QTreeWidgetItem *item = selected.first();
    const GameAddress address{item->text(AddressColumn).toStdString(),
                              item->text(PortColumn).toInt()};
    addressEdit->setText(QString::fromStdString(displayAddress(address)));
}

void LobbyWindow::updateAnnouncing()
{
    // A hosting game links once it listens; without a link port of its own
    // the lobby can only go by the game's process.
    const bool listens = links->openLinks() > 0 || !links->listening();
    if (hosted && games->running() && listens) {
        if (!announcer->active())
            announcer->start(*hosted, ports.discovery);
        advertiser->setHostedGame(HostedGame{hosted->hostName, hosted->port});
    } else {
        announcer->stop();
        advertiser->setHostedGame(std::nullopt);
    }
}

void LobbyWindow::linksChanged(int open)
{
    updateAnnouncing();
    if (open > 0 && !wasLinked) {
        wasLinked = true;
        showMinimized();
    } else if (open == 0 && wasLinked) {
        wasLinked = false;
        bringForward();
    }
    showGameState();
}

void LobbyWindow::gameEnded()
{
    hosted.reset();
    updateAnnouncing();
    rejoinOffered.gameEnded();
    if (links->openLinks() == 0)
        bringForward();
    showGameState();
}

void LobbyWindow::showGameState()
{
    const bool running = games->running();
    hostButton->setEnabled(!running);
    joinButton->setEnabled(!running && !unreachableGameSelected());
    soloButton->setEnabled(!running);
    if (links->openLinks() > 0 && announcer->active() && advertiser->advertised())
        gameState->setText(tr("Your game is running and can be found on this network and in "
                              "the internet room."));
    else if (links->openLinks() > 0)
        gameState->setText(announcer->active()
                               ? tr("Your game is running and can be found on this network.")
                               : tr("Your game is running."));
    else if (running)
        gameState->setText(tr("Your game is starting..."));
    else
        gameState->clear();
    gameState->setVisible(!gameState->text().isEmpty());

    const std::optional<RejoinTarget> offer = running ? std::nullopt : rejoinOffer();
    if (offer)
        rejoinButton->setText(
            tr("Rejoin %1").arg(QString::fromStdString(displayAddress(offer->address))));
    rejoinButton->setVisible(offer.has_value());
    emit stateShown();
}

bool LobbyWindow::unreachableGameSelected() const
{
    return roomGameUnreachable && tabs->currentWidget() == internet;
}

void LobbyWindow::showProblem(const QString &text)
{
    status->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    status->setText(text);
    status->setVisible(!text.isEmpty());
}

void LobbyWindow::showNote(const QString &text)
{
    status->setStyleSheet(QString());
    status->setText(text);
    status->setVisible(!text.isEmpty());
}

} // namespace kalvex
