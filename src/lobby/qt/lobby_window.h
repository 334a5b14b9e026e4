#pragma once
// LobbyWindow, "Orbo77 Lobby": the player's name, the games found on the
// local network and in the internet room, and the buttons that start the
// game program to host, join, rejoin or play alone. It holds the games'
// lobby links and announces the game it hosts on the network and in the room.

#include "lobby/discovery_datagram.h"
#include "lobby/found_games.h"
#include "lobby/rejoin_offer.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace kalvex {

class DiscoveryListener;
class GameAnnouncer;
class GameLauncher;
class GameRoom;
class InternetTab;
class LobbyLinkListener;
class PasswordStore;
class PortMapper;
class RoomAdvertiser;
struct GameCommand;

// What the lobby needs for the internet: the room, the router, the
// desktop's password store. The program gives it the real ones, tests
// their stand-ins.
struct InternetServices
{
    std::unique_ptr<GameRoom> room;
    std::unique_ptr<PortMapper> mapper;
    std::unique_ptr<PasswordStore> passwords;
};

class LobbyWindow : public QWidget
{
    Q_OBJECT

public:
    // Ports: the lobby link's, the discovery port and the port a hosted game
    // listens on.
    struct Ports
    {
        quint16 link = 9001;
        quint16 discovery = 7773;
        int game = 7772;
    };
    // The ports the environment asks for (KALVEX_LOBBY_PORT,
    // KALVEX_DISCOVERY_PORT, KALVEX_PORT), else the defaults.
    static Ports portsFromEnvironment();

    LobbyWindow(const Ports &ports, InternetServices internet, QWidget *parent = nullptr);
    // Gives the router's mapping back and leaves the room.
    ~LobbyWindow() override;

    void hostGame();
    // The address typed (or taken from the list).
    void joinGame();
    void playSolo();
    void rejoin();

    const FoundGames &foundGames() const { return found; }
    GameLauncher &launcher() { return *games; }
    bool linkListening() const;
    int openLinks() const;
    bool announcing() const;
    InternetTab &internetTab() { return *internet; }
    const RoomAdvertiser &roomAdvertiser() const { return *advertiser; }
    std::optional<RejoinTarget> rejoinOffer() const { return rejoinOffered.offer(found); }

public slots:
    void bringForward();

signals:
    // The list, the link or the game's state has just been shown anew.
    void stateShown();

private:
    void heard(const QString &address, int port, const QString &hostName);
    void refresh();
    void showGames();
    void selectionChanged();
    void linksChanged(int links);
    void gameEnded();
    // Announces the hosted game while it runs and listens.
    void updateAnnouncing();
    // The checked name, or nothing (and the reason shown).
    std::optional<std::string> checkedName();
    bool launch(const GameCommand &command);
    void showProblem(const QString &text);
    void showNote(const QString &text);
    void showGameState();
    bool unreachableGameSelected() const;

    Ports ports;
    FoundGames found;
    RejoinOffer rejoinOffered;
    // What is announced while the game hosted from here runs.
    std::optional<GameAnnouncement> hosted;
    QElapsedTimer clock;
    QTimer refreshTimer;

    LobbyLinkListener *links;
    DiscoveryListener *listener;
    GameAnnouncer *announcer;
    GameLauncher *games;
    InternetServices services;
    std::unique_ptr<RoomAdvertiser> advertiser;

    QLineEdit *nameEdit;
    QTabWidget *tabs;
    InternetTab *internet;
    bool roomGameUnreachable = false;
    QTreeWidget *gameList;
    QLineEdit *addressEdit;
    QPushButton *hostButton;
    QPushButton *joinButton;
    QPushButton *soloButton;
    QPushButton *rejoinButton;
    QLabel *status;
    QLabel *linkState;
    QLabel *gameState;
    QLabel *discoveryState;
    // The discovery port could not be had: its reason stays shown.
    bool discoveryUnavailable = false;
    bool wasLinked = false;
};

} // namespace kalvex
