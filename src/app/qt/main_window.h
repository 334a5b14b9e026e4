#pragma once
// MainWindow: the main window. It owns the game client and the widgets that
// show it (the board panel and the chat column), the game link, the main
// menu, the sound cues and the settings, and puts the instance into its
// launch mode when it is first shown.

#include "app/launch_plan.h"
#include "client/client_ports.h"
#include "client/game_client.h"
#include "net/qt/tsock.h"

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QTimer>

#include <array>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QMenu;

namespace kalvex {

class BoardPanel;
class RunningMarker;
class ChatColumn;
class ChatControls;
class ClientLink;
class ClientSession;
class GameClient;
class SettingsController;
class SoundCues;
class SoundMenu;
class SoundPlayer;
class TranscriptPane;
class TServer;
namespace bot {
class ComputerPlayers;
}
class Tabout;
class Tdownload;
class Tgamestart;
class Thelp;
class Tphrases;
class Tspylist;
class Ttallylist;

// The other windows, created after the main window; each may be absent.
struct SecondaryWindows
{
    QPointer<Ttallylist> tallylist;
    QPointer<Tabout> about;
    QPointer<Tgamestart> gamestart;
    QPointer<Thelp> help;
    QPointer<Tphrases> phrases;
    QPointer<TServer> server;
    QPointer<Tspylist> spylist;
    QPointer<Tdownload> download;
};

class MainWindow : public QMainWindow,
                   private LinkPort,
                   private SessionPort,
                   private ChatPort,
                   private BoardView
{
    Q_OBJECT

public:
    // The client area at design size: the board panel plus 15 pixels.
    static constexpr int kClientWidth = 628;
    static constexpr int kClientHeight = 408;
    // Where the board panel and the chat column sit in the client area.
    static constexpr QPoint kBoardOrigin{7, 7};
    static constexpr QPoint kChatOrigin{349, 12};
    // The window's bounds when no settings say otherwise.
    static constexpr QRect kDefaultBounds{3, 3, 636, 454};
    static constexpr QPoint kDesignPosition{2, 4};
    static constexpr int kRoundClockMs = 1000;
    static constexpr char kAppword[] = "kalvex";

    // The creation step: state, timers, widgets, menu.
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void setWindows(const SecondaryWindows &windows);
    // The command line without the program's name; read on first showing.
    void setArguments(const QStringList &arguments) { commandLine = arguments; }
    // The background the secondary windows copy.
    const QPixmap &backgroundTile() const { return tile; }

    // Launch modes.
    void processparams();
    void hostpress();
    void joinpress();

    // Menu commands.
    void startGameCommand();
    void resetScreenLocation();
    void bringForward();

    // Parts, for tests and for the program's own wiring.
    GameClient &client() { return *gameClient; }
    ClientSession &session();
    ClientLink &link() { return *gameLink; }
    TSock &lobbyLink() { return Sock11; }
    TranscriptPane &transcript();
    ChatControls &chat();
    BoardPanel *board() const { return boardPanel; }
    QTimer &roundTimer() { return roundClockTimer; }
    const std::string &hostaddress() const { return hostAddress; }
    QRect savedBounds() const { return savedbounds; }
    QAction *action(const QString &objectName) const;

    // Applies the settings file; the server's word that this client is
    // logged in calls it.
    void loadinifile() override;

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The ports of the game client.
    void send(const std::string &bytes) override;
    void gameIsFull() override;
    void roundClock(bool run) override;
    bool chatterSoundsOn() const override;
    void playChatterSound(std::string_view name) override;
    void saveTextColour() override;
    void modelChanged() override;

    void buildClientArea();
    void buildMenu();
    void buildComputerItems(QMenu *file);
    void addComputerPlayer();
    void createSettings();
    void buildSoundItems(QMenu *options);
    void nameControlsForScreenReaders();
    void wireChat();
    void setStartAvailable(bool shown, bool menuEnabled);
    // byUser: the user asked for these bounds, so closing keeps them.
    void applyBounds(const QRect &bounds, bool byUser);
    void noteReferenceBounds();
    QRect currentBounds() const;
    // The frame's corner and the client area's size.
    QRect placement() const;
    void openLobbyLink();
    void applyPhrases(const QStringList &texts);
    // The chat's values, in plain types for the settings.
    std::array<std::string, 9> phraseTexts() const;

    std::unique_ptr<SoundPlayer> soundPlayer;
    std::unique_ptr<SoundCues> cues;
    // Outlives the widgets that show it (see the destructor).
    std::unique_ptr<GameClient> gameClient;
    std::unique_ptr<ClientLink> gameLink;
    TSock Sock11;
    std::unique_ptr<RunningMarker> runningMarker;
    QTimer roundClockTimer;
    QPixmap tile;
    // Owned by the Options menu.
    SoundMenu *soundMenu = nullptr;
    std::unique_ptr<SettingsController> settings;

    QWidget *clientArea = nullptr;
    BoardPanel *boardPanel = nullptr;
    ChatColumn *chatColumn = nullptr;

    QAction *startGameItem = nullptr;
    QAction *justWatchItem = nullptr;
    QAction *ballNumbersItem = nullptr;
    QAction *addComputerItem = nullptr;
    // Computer players this hosting window started.
    bot::ComputerPlayers *computers = nullptr;

    SecondaryWindows windows;
    QStringList commandLine;
    std::string hostAddress;
    QRect savedbounds{0, 0, 0, 0};
    // The placement (see placement()) last given to the window by the
    // program; a difference at closing means the user moved or resized it.
    QRect referencePlacement;
    bool shownOnce = false;
    bool paintedOnce = false;
    // The server answered "CMD_full": its box, not the close, ends the program.
    bool refusedAsFull = false;
};

} // namespace kalvex
