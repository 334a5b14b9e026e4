#pragma once
// InternetTab: the lobby's page for the internet room. The chat account and
// the room, Connect and Disconnect, the people in the room and its chat,
// what went wrong (with the room's own retry counted down), the games the
// room's hosts advertise, and the address a game hosted here is reached at.

#include "lobby/game_address.h"
#include "lobby/game_advert.h"
#include "lobby/qt/lobby_settings.h"
#include "lobby/qt/password_store.h"
#include "lobby/room_people.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;
class QTreeWidget;

namespace kalvex {

class GameRoom;
class RoomAdvertiser;
struct RoomAccount;

class InternetTab : public QWidget
{
    Q_OBJECT

public:
    enum class State
    {
        Offline,
        Connecting,
        InRoom,
        WaitingToRetry,
    };

    // `checkedName` gives the player's name for the room, or nothing (the
    // window has then said why).
    InternetTab(GameRoom &room, PasswordStore &passwords, RoomAdvertiser &advertiser,
                std::function<std::optional<QString>()> checkedName, QWidget *parent = nullptr);
    ~InternetTab() override;

    void connectToRoom();
    void disconnectFromRoom();

    State state() const { return current; }
    const RoomPeople &people() const { return present; }

signals:
    // A reachable game in the room was selected.
    void gameSelected(const GameAddress &address);
    // The selection is (true) or is no longer (false) a game that cannot be
    // reached from outside.
    void unreachableSelected(bool unreachable);
    void gameActivated();
    // The player takes the name the room suggested.
    void nameChosen(const QString &name);

private:
    // The room's account as the fields give it, nothing (and the reason
    // shown) when they do not make one.
    std::optional<RoomAccount> account(const QString &nickname);
    QWidget *buildAccountForm();
    QWidget *buildRoomView();
    void serverEdited(const QString &text);
    void anonymousToggled();
    void rememberToggled(bool on);
    void probePasswordStore();
    void keepPassword(const QString &account, const QString &password);
    void showPasswordPlace();
    RoomSettings fieldSettings() const;

    void entered(const QString &nickname);
    void left();
    void occupantChanged(const QString &nickname, const std::optional<GameAdvert> &advert);
    void occupantLeft(const QString &nickname);
    void chatReceived(const QString &nickname, const QString &text);
    void nicknameTaken(const QString &suggestion);
    void failed(const QString &reason, int retryInSeconds);
    void countDown();
    void sendChat();
    void useSuggestedName();
    void reachableEdited();

    // Out of the room: nobody listed, nothing advertised.
    void forgetRoom();
    void setState(State next);
    void showError(const QString &text);
    void showPeople();
    void showGames();
    void gameSelectionChanged();
    void addChatLine(const QString &html);

    GameRoom &room;
    PasswordStore &passwords;
    RoomAdvertiser &advertiser;
    std::function<std::optional<QString>()> checkedName;

    State current = State::Offline;
    RoomPeople present;
    QString nickname;
    QString suggestedName;
    QString failure;
    int retryIn = 0;
    QTimer retryTimer;
    bool roomFollowsServer = true;

    enum class PasswordPlace
    {
        Unknown,
        DesktopStore,
        SettingsFile,
    };
    PasswordPlace passwordPlace = PasswordPlace::Unknown;
    QString passwordNote;

    QLineEdit *serverEdit;
    QCheckBox *anonymousCheck;
    QLineEdit *jidEdit;
    QLineEdit *passwordEdit;
    QCheckBox *rememberCheck;
    QLabel *passwordPlaceLabel;
    QLineEdit *roomEdit;
    QPushButton *connectButton;
    QLabel *stateLabel;
    QLabel *errorLabel;
    QWidget *nameTakenRow;
    QLabel *nameTakenLabel;
    QPushButton *useNameButton;
    QTreeWidget *gameList;
    QListWidget *peopleList;
    QTextBrowser *chatView;
    QLineEdit *chatEdit;
    QLineEdit *reachableEdit;
    QLabel *reachabilityLabel;
};

} // namespace kalvex
