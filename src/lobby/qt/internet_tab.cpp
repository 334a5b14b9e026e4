#include "lobby/qt/internet_tab.h"

#include "lobby/qt/game_room.h"
#include "lobby/qt/room_advertiser.h"
#include "lobby/room_address.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kalvex {

namespace {

enum Column
{
    HostColumn,
    AddressColumn,
    PortColumn,
    PlayersColumn,
    StateColumn
};

// Nobody types more into one line of the room's chat.
constexpr int kMaxChatInput = 500;
// Shown, and compared, in place of the address of a game that cannot be
// reached from outside.
QString notReachableText()
{
    return InternetTab::tr("not reachable from outside");
}
constexpr int kNicknameRole = Qt::UserRole;

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel *note(const char *name, QWidget *parent)
{
    auto *label = named(new QLabel(parent), name);
    label->setWordWrap(true);
    label->hide();
    return label;
}

// A line of the room's chat that the lobby itself writes.
QString ownLine(const QString &text)
{
    return QStringLiteral("<i style=\"color:#606060\">%1</i>").arg(text);
}

void showText(QLabel *label, const QString &text)
{
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

} // namespace

InternetTab::InternetTab(GameRoom &room, PasswordStore &passwords, RoomAdvertiser &advertiser,
                         std::function<std::optional<QString>()> checkedName, QWidget *parent)
    : QWidget(parent), room(room), passwords(passwords), advertiser(advertiser),
      checkedName(std::move(checkedName))
{
    setObjectName(QStringLiteral("tab_internet"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildAccountForm());
    layout->addWidget(buildRoomView(), 1);

    retryTimer.setInterval(1000);
    connect(&retryTimer, &QTimer::timeout, this, &InternetTab::countDown);
    connect(&room, &GameRoom::entered, this, &InternetTab::entered);
    connect(&room, &GameRoom::left, this, &InternetTab::left);
    connect(&room, &GameRoom::occupantChanged, this, &InternetTab::occupantChanged);
    connect(&room, &GameRoom::occupantLeft, this, &InternetTab::occupantLeft);
    connect(&room, &GameRoom::chatReceived, this, &InternetTab::chatReceived);
    connect(&room, &GameRoom::nicknameTaken, this, &InternetTab::nicknameTaken);
    connect(&room, &GameRoom::failed, this, &InternetTab::failed);
    connect(&advertiser, &RoomAdvertiser::reachabilityChanged, this,
            [this] { showText(reachabilityLabel, this->advertiser.reachabilityText()); });

    const RoomSettings settings = loadRoomSettings();
    serverEdit->setText(settings.server);
    anonymousCheck->setChecked(settings.anonymous);
    jidEdit->setText(settings.jid);
    roomFollowsServer = settings.room.isEmpty();
    roomEdit->setText(roomFollowsServer
                          ? QString::fromStdString(defaultRoomFor(settings.server.toStdString()))
                          : settings.room);
    reachableEdit->setText(settings.reachableAddress);
    advertiser.setReachableAddress(settings.reachableAddress);
    {
        const QSignalBlocker blocker(rememberCheck);
        rememberCheck->setChecked(settings.rememberPassword);
    }
    if (settings.rememberPassword && !settings.passwordInFile.isEmpty()) {
        passwordPlace = PasswordPlace::SettingsFile;
        passwordEdit->setText(settings.passwordInFile);
    } else if (settings.rememberPassword && !settings.anonymous) {
        probePasswordStore();
    }
    anonymousToggled();
    showPasswordPlace();
    setState(State::Offline);
}

InternetTab::~InternetTab()
{
    room.disconnect(this);
    advertiser.disconnect(this);
}

QWidget *InternetTab::buildAccountForm()
{
    auto *box = named(new QGroupBox(tr("Chat server account"), this), "box_account");
    serverEdit = named(new QLineEdit(box), "edit_room_server");
    serverEdit->setPlaceholderText(tr("an XMPP server, e.g. jabber.example.org"));
    anonymousCheck = named(new QCheckBox(tr("Anonymous login"), box), "check_anonymous");
    jidEdit = named(new QLineEdit(box), "edit_room_jid");
    jidEdit->setPlaceholderText(tr("you@example.org"));
    passwordEdit = named(new QLineEdit(box), "edit_room_password");
    passwordEdit->setEchoMode(QLineEdit::Password);
    rememberCheck = named(new QCheckBox(tr("Remember password"), box), "check_remember_password");
    passwordPlaceLabel = note("label_password_place", box);
    roomEdit = named(new QLineEdit(box), "edit_room");
    roomEdit->setPlaceholderText(tr("room@conference.example.org"));
    connectButton = named(new QPushButton(tr("Connect"), box), "button_room_connect");
    connectButton->setMinimumHeight(32);
    stateLabel = named(new QLabel(box), "label_room_state");
    errorLabel = note("label_room_error", box);
    errorLabel->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));

    nameTakenRow = new QWidget(box);
    nameTakenRow->setObjectName(QStringLiteral("row_name_taken"));
    nameTakenLabel = named(new QLabel(nameTakenRow), "label_name_taken");
    nameTakenLabel->setWordWrap(true);
    nameTakenLabel->setTextFormat(Qt::PlainText);
    useNameButton = named(new QPushButton(nameTakenRow), "button_use_name");
    auto *takenLayout = new QHBoxLayout(nameTakenRow);
    takenLayout->setContentsMargins(0, 0, 0, 0);
    takenLayout->addWidget(nameTakenLabel, 1);
    takenLayout->addWidget(useNameButton);
    nameTakenRow->hide();

    auto *serverRow = new QHBoxLayout;
    serverRow->addWidget(serverEdit, 1);
    serverRow->addWidget(anonymousCheck);
    auto *accountRow = new QHBoxLayout;
    accountRow->addWidget(jidEdit, 3);
    accountRow->addWidget(new QLabel(tr("Password:"), box));
    accountRow->addWidget(passwordEdit, 2);
    accountRow->addWidget(rememberCheck);
    auto *roomRow = new QHBoxLayout;
    roomRow->addWidget(roomEdit, 1);
    roomRow->addWidget(connectButton);

    auto *form = new QFormLayout(box);
    form->addRow(tr("Server:"), serverRow);
    form->addRow(tr("Account:"), accountRow);
    form->addRow(QString(), passwordPlaceLabel);
    form->addRow(tr("Room:"), roomRow);
    form->addRow(QString(), stateLabel);
    form->addRow(QString(), errorLabel);
    form->addRow(QString(), nameTakenRow);

    connect(serverEdit, &QLineEdit::textEdited, this, &InternetTab::serverEdited);
    connect(roomEdit, &QLineEdit::textEdited, this,
            [this](const QString &text) { roomFollowsServer = text.trimmed().isEmpty(); });
    connect(anonymousCheck, &QCheckBox::toggled, this, &InternetTab::anonymousToggled);
    connect(rememberCheck, &QCheckBox::toggled, this, &InternetTab::rememberToggled);
    connect(connectButton, &QPushButton::clicked, this, [this] {
        if (current == State::Offline)
            connectToRoom();
        else
            disconnectFromRoom();
    });
    for (QLineEdit *edit : {serverEdit, jidEdit, passwordEdit, roomEdit})
        connect(edit, &QLineEdit::returnPressed, this, [this] {
            if (current == State::Offline)
                connectToRoom();
        });
    connect(useNameButton, &QPushButton::clicked, this, &InternetTab::useSuggestedName);
    return box;
}

QWidget *InternetTab::buildRoomView()
{
    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);

    auto *gamesPage = new QWidget(splitter);
    auto *gamesLabel = new QLabel(tr("Games in the room:"), gamesPage);
    gameList = named(new QTreeWidget(gamesPage), "list_room_games");
    gameList->setHeaderLabels({tr("Host"), tr("Address"), tr("Port"), tr("Players"), tr("State")});
    gameList->setRootIsDecorated(false);
    gameList->setUniformRowHeights(true);
    gameList->setAllColumnsShowFocus(true);
    gameList->header()->setSectionResizeMode(HostColumn, QHeaderView::Stretch);
    gameList->header()->setStretchLastSection(false);
    gameList->setColumnWidth(AddressColumn, 190);
    gameList->setColumnWidth(PortColumn, 60);
    gameList->setColumnWidth(PlayersColumn, 60);
    gameList->setColumnWidth(StateColumn, 70);
    gamesLabel->setBuddy(gameList);
    auto *reachableLabel = new QLabel(tr("Your outside address:"), gamesPage);
    reachableEdit = named(new QLineEdit(gamesPage), "edit_reachable_address");
    reachableEdit->setPlaceholderText(
        tr("empty: ask the router; or host[:port] when you forwarded the port by hand"));
    reachableLabel->setBuddy(reachableEdit);
    reachabilityLabel = note("label_reachability", gamesPage);
    auto *reachableRow = new QHBoxLayout;
    reachableRow->addWidget(reachableLabel);
    reachableRow->addWidget(reachableEdit, 1);
    auto *gamesLayout = new QVBoxLayout(gamesPage);
    gamesLayout->setContentsMargins(0, 0, 0, 0);
    gamesLayout->addWidget(gamesLabel);
    gamesLayout->addWidget(gameList, 1);
    gamesLayout->addLayout(reachableRow);
    gamesLayout->addWidget(reachabilityLabel);

    auto *chatPage = new QWidget(splitter);
    auto *chatLabel = new QLabel(tr("Room chat:"), chatPage);
    chatView = named(new QTextBrowser(chatPage), "text_room_chat");
    chatView->setOpenLinks(false);
    chatEdit = named(new QLineEdit(chatPage), "edit_room_chat");
    chatEdit->setMaxLength(kMaxChatInput);
    chatEdit->setPlaceholderText(tr("Say something to the room, then press Enter"));
    auto *peopleLabel = new QLabel(tr("People in the room:"), chatPage);
    peopleList = named(new QListWidget(chatPage), "list_room_people");
    peopleList->setFixedWidth(170);
    auto *chatColumn = new QVBoxLayout;
    chatColumn->addWidget(chatLabel);
    chatColumn->addWidget(chatView, 1);
    chatColumn->addWidget(chatEdit);
    auto *peopleColumn = new QVBoxLayout;
    peopleColumn->addWidget(peopleLabel);
    peopleColumn->addWidget(peopleList, 1);
    auto *chatLayout = new QHBoxLayout(chatPage);
    chatLayout->setContentsMargins(0, 0, 0, 0);
    chatLayout->addLayout(chatColumn, 1);
    chatLayout->addLayout(peopleColumn);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);

    connect(gameList, &QTreeWidget::itemSelectionChanged, this, &InternetTab::gameSelectionChanged);
    connect(gameList, &QTreeWidget::itemActivated, this, [this] {
        if (QTreeWidgetItem *item = gameList->currentItem();
            item != nullptr && item->text(AddressColumn) != notReachableText())
            emit gameActivated();
    });
    connect(chatEdit, &QLineEdit::returnPressed, this, &InternetTab::sendChat);
    connect(reachableEdit, &QLineEdit::editingFinished, this, &InternetTab::reachableEdited);
    return splitter;
}

void InternetTab::serverEdited(const QString &text)
{
    if (roomFollowsServer)
        roomEdit->setText(QString::fromStdString(defaultRoomFor(text.toStdString())));
}

void InternetTab::anonymousToggled()
{
    const bool named = !anonymousCheck->isChecked();
    const bool editable = current == State::Offline;
    jidEdit->setEnabled(named && editable);
    passwordEdit->setEnabled(named && editable);
    rememberCheck->setEnabled(named && editable);
    passwordPlaceLabel->setVisible(named && !passwordPlaceLabel->text().isEmpty());
}

void InternetTab::rememberToggled(bool on)
{
    RoomSettings settings = loadRoomSettings();
    settings.rememberPassword = on;
    if (!on) {
        // Forgotten at once, wherever it was kept.
        settings.passwordInFile.clear();
        if (!settings.jid.isEmpty())
            passwords.remove(settings.jid, [](PasswordStore::Outcome, const QString &) {});
        if (!jidEdit->text().trimmed().isEmpty() && jidEdit->text().trimmed() != settings.jid)
            passwords.remove(jidEdit->text().trimmed(),
                             [](PasswordStore::Outcome, const QString &) {});
        passwordPlace = PasswordPlace::Unknown;
        passwordNote.clear();
    } else {
        probePasswordStore();
    }
    saveRoomSettings(settings);
    showPasswordPlace();
}

void InternetTab::probePasswordStore()
{
    const QString account = jidEdit->text().trimmed();
    QPointer<InternetTab> self(this);
    passwords.read(account.isEmpty() ? QStringLiteral("kalvex-lobby") : account,
                   [self, account](PasswordStore::Outcome outcome, const QString &password) {
                       if (!self)
                           return;
                       if (outcome == PasswordStore::Outcome::Unavailable) {
                           self->passwordPlace = PasswordPlace::SettingsFile;
                       } else {
                           self->passwordPlace = PasswordPlace::DesktopStore;
                           if (outcome == PasswordStore::Outcome::Done && !account.isEmpty() &&
                               self->passwordEdit->text().isEmpty() &&
                               self->jidEdit->text().trimmed() == account)
                               self->passwordEdit->setText(password);
                       }
                       self->showPasswordPlace();
                   });
}

void InternetTab::keepPassword(const QString &account, const QString &password)
{
    if (passwordPlace == PasswordPlace::SettingsFile)
        return; // saved with the other fields
    QPointer<InternetTab> self(this);
    passwords.write(account, password, [self](PasswordStore::Outcome outcome, const QString &) {
        if (!self)
            return;
        if (outcome == PasswordStore::Outcome::Done) {
            self->passwordPlace = PasswordPlace::DesktopStore;
            self->passwordNote.clear();
        } else if (outcome == PasswordStore::Outcome::Unavailable) {
            // Nothing was kept; the note says where it would go next time.
            self->passwordPlace = PasswordPlace::SettingsFile;
            self->passwordNote = tr("The password was not remembered.");
        } else {
            self->passwordNote = tr("The desktop's password store refused to keep "
                                    "the password.");
        }
        self->showPasswordPlace();
    });
}

void InternetTab::showPasswordPlace()
{
    QString text;
    if (rememberCheck->isChecked()) {
        if (passwordPlace == PasswordPlace::DesktopStore)
            text = tr("The password is kept in the desktop's password store.");
        else if (passwordPlace == PasswordPlace::SettingsFile)
            text = tr("This desktop has no password store: the password is kept as "
                      "plain text in orbolobby.ini. Uncheck \"Remember password\" "
                      "to keep it nowhere.");
    }
    if (!passwordNote.isEmpty())
        text = passwordNote + QLatin1Char(' ') + text;
    passwordPlaceLabel->setText(text.trimmed());
    passwordPlaceLabel->setVisible(!anonymousCheck->isChecked() && !text.trimmed().isEmpty());
}

RoomSettings InternetTab::fieldSettings() const
{
    RoomSettings settings;
    settings.server = serverEdit->text().trimmed();
    settings.anonymous = anonymousCheck->isChecked();
    settings.jid = jidEdit->text().trimmed();
    settings.room = roomFollowsServer ? QString() : roomEdit->text().trimmed();
    settings.rememberPassword = rememberCheck->isChecked();
    if (settings.rememberPassword && !settings.anonymous &&
        passwordPlace == PasswordPlace::SettingsFile)
        settings.passwordInFile = passwordEdit->text();
    settings.reachableAddress = reachableEdit->text().trimmed();
    return settings;
}

std::optional<RoomAccount> InternetTab::account(const QString &name)
{
    const std::optional<GameAddress> server =
        parseChatServer(serverEdit->text().trimmed().toStdString());
    if (!server) {
        showError(serverEdit->text().trimmed().isEmpty()
                      ? tr("Type the chat server's name first.")
                      : tr("\"%1\" is not a server: type its name, or name:port.")
                            .arg(serverEdit->text().trimmed()));
        serverEdit->setFocus();
        return std::nullopt;
    }
    RoomAccount account;
    account.server = QString::fromStdString(server->host);
    account.port = static_cast<quint16>(server->port);
    account.anonymous = anonymousCheck->isChecked();
    account.nickname = name;
    account.room = roomEdit->text().trimmed();
    if (!account.anonymous) {
        account.jid = jidEdit->text().trimmed();
        account.password = passwordEdit->text();
        const qsizetype at = account.jid.indexOf(QLatin1Char('@'));
        if (at <= 0 || at == account.jid.size() - 1) {
            showError(tr("Type your account as name@server, or choose anonymous "
                         "login."));
            jidEdit->setFocus();
            return std::nullopt;
        }
        if (account.password.isEmpty()) {
            showError(tr("Type your account's password."));
            passwordEdit->setFocus();
            return std::nullopt;
        }
    }
    const qsizetype at = account.room.indexOf(QLatin1Char('@'));
    if (at <= 0 || at == account.room.size() - 1 || account.room.contains(QLatin1Char(' '))) {
        showError(tr("Type the room as room@conference.server."));
        roomEdit->setFocus();
        return std::nullopt;
    }
    return account;
}

void InternetTab::connectToRoom()
{
    if (current != State::Offline)
        return;
    const std::optional<QString> name = checkedName();
    if (!name)
        return;
    nameTakenRow->hide();
    const std::optional<RoomAccount> account = this->account(*name);
    if (!account)
        return;
    failure.clear();
    retryIn = 0;
    showError(QString());
    saveRoomSettings(fieldSettings());
    if (!account->anonymous && rememberCheck->isChecked())
        keepPassword(account->jid, account->password);
    nickname = *name;
    setState(State::Connecting);
    room.enter(*account);
}

void InternetTab::disconnectFromRoom()
{
    if (current == State::Offline)
        return;
    forgetRoom();
    retryTimer.stop();
    showError(QString());
    setState(State::Offline);
    room.leave();
}

void InternetTab::forgetRoom()
{
    advertiser.setInRoom(false);
    present.clear();
    showPeople();
    showGames();
}

void InternetTab::entered(const QString &name)
{
    if (current == State::Offline)
        return; // the player gave up meanwhile
    nickname = name;
    retryTimer.stop();
    showError(QString());
    nameTakenRow->hide();
    setState(State::InRoom);
    addChatLine(
        ownLine(tr("You are in %1 as %2.")
                    .arg(roomEdit->text().trimmed().toHtmlEscaped(), name.toHtmlEscaped())));
    advertiser.setInRoom(true);
}

void InternetTab::left()
{
    forgetRoom();
    if (current == State::InRoom) {
        addChatLine(ownLine(tr("You left the room.")));
        setState(State::Offline);
    }
}

void InternetTab::occupantChanged(const QString &name, const std::optional<GameAdvert> &advert)
{
    const bool known = present.find(name.toStdString()) != nullptr;
    if (!present.changed(name.toStdString(), advert))
        return;
    if (!known && current == State::InRoom && name != nickname)
        addChatLine(ownLine(tr("%1 came in.").arg(name.toHtmlEscaped())));
    showPeople();
    showGames();
}

void InternetTab::occupantLeft(const QString &name)
{
    if (!present.left(name.toStdString()))
        return;
    addChatLine(ownLine(tr("%1 left.").arg(name.toHtmlEscaped())));
    showPeople();
    showGames();
}

void InternetTab::chatReceived(const QString &name, const QString &text)
{
    const QString colour = name == nickname ? QStringLiteral("#0000c0") : QStringLiteral("#000000");
    addChatLine(QStringLiteral("<b style=\"color:%1\">%2:</b> %3")
                    .arg(colour, name.toHtmlEscaped(), text.toHtmlEscaped()));
}

void InternetTab::nicknameTaken(const QString &suggestion)
{
    if (current == State::Offline)
        return;
    forgetRoom();
    retryTimer.stop();
    setState(State::Offline);
    suggestedName = suggestion;
    nameTakenLabel->setText(
        suggestion.isEmpty() ? tr("Someone in the room already goes by \"%1\": choose another name "
                                  "above and connect again.")
                                   .arg(nickname)
                             : tr("Someone in the room already goes by \"%1\". Choose another name "
                                  "above, or enter as \"%2\".")
                                   .arg(nickname, suggestion));
    useNameButton->setText(tr("Enter as \"%1\"").arg(suggestion));
    useNameButton->setVisible(!suggestion.isEmpty());
    nameTakenRow->show();
}

void InternetTab::useSuggestedName()
{
    if (suggestedName.isEmpty())
        return;
    emit nameChosen(suggestedName);
    connectToRoom();
}

void InternetTab::failed(const QString &reason, int retryInSeconds)
{
    if (current == State::Offline)
        return;
    forgetRoom();
    failure = reason;
    if (retryInSeconds > 0) {
        retryIn = retryInSeconds;
        retryTimer.start();
        setState(State::WaitingToRetry);
    } else {
        retryTimer.stop();
        retryIn = 0;
        setState(State::Offline);
    }
    showError(failure);
}

void InternetTab::countDown()
{
    if (--retryIn <= 0) {
        retryTimer.stop();
        setState(State::Connecting);
    }
    showError(failure);
}

void InternetTab::sendChat()
{
    const QString text = chatEdit->text().trimmed();
    if (text.isEmpty() || current != State::InRoom)
        return;
    room.say(text);
    chatEdit->clear();
}

void InternetTab::reachableEdited()
{
    const QString text = reachableEdit->text().trimmed();
    if (!advertiser.setReachableAddress(text)) {
        showText(reachabilityLabel,
                 tr("\"%1\" is not an address: type host or host:port.").arg(text));
        return;
    }
    RoomSettings settings = loadRoomSettings();
    settings.reachableAddress = text;
    saveRoomSettings(settings);
}

void InternetTab::setState(State next)
{
    current = next;
    const bool offline = next == State::Offline;
    for (QWidget *field : {static_cast<QWidget *>(serverEdit), static_cast<QWidget *>(roomEdit),
                           static_cast<QWidget *>(anonymousCheck)})
        field->setEnabled(offline);
    anonymousToggled();
    connectButton->setText(offline                 ? tr("Connect")
                           : next == State::InRoom ? tr("Disconnect")
                                                   : tr("Cancel"));
    chatEdit->setEnabled(next == State::InRoom);
    QString text;
    switch (next) {
    case State::Offline:
        text = tr("Not connected.");
        break;
    case State::Connecting:
        text = tr("Connecting to %1...").arg(serverEdit->text().trimmed());
        break;
    case State::InRoom:
        text = tr("In %1 as %2.").arg(roomEdit->text().trimmed(), nickname);
        break;
    case State::WaitingToRetry:
        text = tr("Not connected.");
        break;
    }
    stateLabel->setText(text);
}

void InternetTab::showError(const QString &text)
{
    QString shown = text;
    if (!text.isEmpty() && current == State::WaitingToRetry)
        shown += QLatin1Char(' ') + tr("Trying again in %1 s.").arg(retryIn);
    else if (!text.isEmpty() && current == State::Connecting && retryIn <= 0 && !failure.isEmpty())
        shown += QLatin1Char(' ') + tr("Trying again...");
    showText(errorLabel, shown);
}

void InternetTab::showPeople()
{
    peopleList->clear();
    for (const RoomPerson &person : present.people()) {
        auto *item = new QListWidgetItem(QString::fromStdString(person.nickname), peopleList);
        if (person.advert)
            item->setToolTip(tr("hosts a game"));
        if (QString::fromStdString(person.nickname) == nickname) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        }
    }
}

void InternetTab::showGames()
{
    const QTreeWidgetItem *selected = gameList->currentItem();
    const QString selectedHost =
        selected != nullptr ? selected->data(HostColumn, kNicknameRole).toString() : QString();
    const QString selectedAddress = selected != nullptr ? selected->text(AddressColumn) : QString();
    const std::vector<const RoomPerson *> hosts = present.hosts();
    {
        const QSignalBlocker blocker(gameList);
        gameList->clear();
        for (const RoomPerson *host : hosts) {
            const GameAdvert &advert = *host->advert;
            auto *item = new QTreeWidgetItem(gameList);
            const QString nick = QString::fromStdString(host->nickname);
            item->setData(HostColumn, kNicknameRole, nick);
            item->setText(HostColumn,
                          advert.hostName.empty() ? nick : QString::fromStdString(advert.hostName));
            item->setText(AddressColumn, advert.reachable() ? QString::fromStdString(advert.address)
                                                            : notReachableText());
            item->setText(PortColumn,
                          advert.reachable() ? QString::number(advert.port) : QString());
            item->setText(PlayersColumn, QString::number(advert.seated));
            item->setText(StateColumn, advert.running ? tr("playing") : tr("waiting"));
            if (!advert.reachable()) {
                item->setForeground(AddressColumn, QColor(0x80, 0x80, 0x80));
                item->setToolTip(AddressColumn,
                                 tr("Its host's router did not open the game's port, "
                                    "and no address was typed: ask the host."));
            }
            if (nick == selectedHost) {
                gameList->setCurrentItem(item);
                item->setSelected(true);
            }
        }
    }
    // The selected game changed under the player: say what is selected now.
    const QTreeWidgetItem *now = gameList->currentItem();
    if (now == nullptr && !selectedHost.isEmpty())
        emit unreachableSelected(false);
    else if (now != nullptr && now->text(AddressColumn) != selectedAddress)
        gameSelectionChanged();
}

void InternetTab::gameSelectionChanged()
{
    const QList<QTreeWidgetItem *> selected = gameList->selectedItems();
    if (selected.isEmpty())
        return;
    const QTreeWidgetItem *item = selected.first();
    const bool reachable = item->text(AddressColumn) != notReachableText();
    emit unreachableSelected(!reachable);
    if (reachable)
        emit gameSelected(
            GameAddress{item->text(AddressColumn).toStdString(), item->text(PortColumn).toInt()});
}

void InternetTab::addChatLine(const QString &html)
{
    QScrollBar *bar = chatView->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    chatView->append(html);
    if (atEnd)
        bar->setValue(bar->maximum());
}

} // namespace kalvex
