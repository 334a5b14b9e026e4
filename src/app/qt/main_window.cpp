#include "app/qt/main_window.h"

#include "app/qt/client_link.h"
#include "app/qt/file_places.h"
#include "app/qt/settings_controller.h"
#include "app/qt/single_instance.h"
#include "app/qt/sound_menu.h"
#include "app/qt/sound_player.h"
#include "app/sound_cues.h"
#include "bot/qt/computer_players.h"
#include "chat/qt/chat_column.h"
#include "chat/qt/chat_controls.h"
#include "chat/qt/chat_input.h"
#include "chat/qt/transcript_pane.h"
#include "client/game_client.h"
#include "client/qt/board_panel.h"
#include "net/error_report.h"
#include "server/qt/tserver.h"
#include "tally/qt/tally_list.h"
#include "windows/qt/about_form.h"
#include "windows/qt/download_form.h"
#include "windows/qt/gamestart_form.h"
#include "windows/qt/help_form.h"
#include "windows/qt/phrases_form.h"
#include "windows/qt/spylist_form.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

namespace kalvex {

MainWindow::~MainWindow()
{
    // The computer players end with the window; their last words are not news.
    if (computers != nullptr) {
        computers->disconnect(this);
        delete computers;
    }
    // The widgets that show the game client go before it.
    delete takeCentralWidget();
}

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), soundPlayer(std::make_unique<SoundPlayer>()),
      cues(std::make_unique<SoundCues>(*soundPlayer)), gameLink(std::make_unique<ClientLink>(this))
{
    setObjectName(QStringLiteral("chat"));
    setWindowTitle(QStringLiteral("Kalvex"));
    setAttribute(Qt::WA_QuitOnClose, true);
    runningMarker = std::make_unique<RunningMarker>(QString::fromLatin1(kAppword));
    tile = BoardPanel::backgroundTile();

    buildClientArea();
    buildMenu();
    createSettings();
    wireChat();
    nameControlsForScreenReaders();

    gameLink->onLine = [this](std::string_view line) { session().handleLine(line); };
    gameLink->afterTick = [this] { gameClient->chat().tick(); };
    gameLink->countingTicks = [this] { return !gameClient->chat().chatterready(); };
    // Losing the game link ends the program, once every line that came
    // before the close has been handled.
    gameLink->onClosed = [this] {
        // The "Game is full" box closes the window itself once dismissed.
        if (!refusedAsFull)
            QTimer::singleShot(0, this, &QWidget::close);
    };

    roundClockTimer.setObjectName(QStringLiteral("turntime"));
    Sock11.setObjectName(QStringLiteral("Sock11"));
    roundClockTimer.setInterval(kRoundClockMs);
    connect(&roundClockTimer, &QTimer::timeout, this,
            [this] { guarded(ErrorOrigin::Local, [this] { session().clockTick(); }); });

    Sock11.setHostName(QStringLiteral("127.0.0.1"));
    Sock11.setPortName(lobbyPortName());

    session().clearall();
    session().setStartButtonVisible(false);
    modelChanged();

    move(kDesignPosition);
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

void MainWindow::buildClientArea()
{
    clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("clientArea"));
    clientArea->setMinimumSize(kClientWidth, kClientHeight);
    QPalette palette = clientArea->palette();
    palette.setBrush(QPalette::Window, QBrush(tile));
    clientArea->setPalette(palette);
    clientArea->setAutoFillBackground(true);
    setCentralWidget(clientArea);

    // The client writes to the transcript that the chat column shows; the
    // column joins the client area after the board panel, over its right side.
    auto column = std::make_unique<ChatColumn>();
    gameClient = std::make_unique<GameClient>(
        ClientPorts{
            .link = *this, .owner = *this, .sounds = cues.get(), .chat = this, .view = this},
        column->transcript().transcript());

    boardPanel = new BoardPanel(session(), clientArea);
    boardPanel->move(kBoardOrigin);
    connect(boardPanel, &BoardPanel::startRequested, this,
            [this] { guarded(ErrorOrigin::Local, [this] { startGameCommand(); }); });

    chatColumn = column.release();
    chatColumn->setParent(clientArea);
    chatColumn->move(kChatOrigin);
    chatColumn->attach(gameClient->chat());
}

void MainWindow::nameControlsForScreenReaders()
{
    transcript().setAccessibleName(tr("Chat transcript"));
    if (QWidget *input = chat().input()) {
        input->setAccessibleName(tr("Chat input"));
        input->setAccessibleDescription(
            tr("Enter sends the line; /me at the start sends an action"));
    }
    for (int n = 1; n <= kPhraseCount; ++n) {
        if (QWidget *button = chat().phraseButton(n))
            button->setAccessibleName(tr("Phrase %1").arg(n));
    }
}

void MainWindow::wireChat()
{
    // The chat input has the keyboard first; Tab leads on to the board.
    if (ChatInput *input = chat().input()) {
        setTabOrder(input, boardPanel);
        input->setFocus();
    }
    connect(&transcript(), &TranscriptPane::textSizeChosen, this,
            [this](int) { settings->save({SettingKey::Textsize}); });
}

QAction *MainWindow::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

void MainWindow::buildMenu()
{
    auto item = [this](QMenu *menu, const QString &name, const QString &text,
                       auto &&handler) -> QAction * {
        QAction *entry = menu->addAction(text);
        entry->setObjectName(name);
        connect(entry, &QAction::triggered, this,
                [handler] { guarded(ErrorOrigin::Local, handler); });
        return entry;
    };

    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("menu_file"));
    startGameItem = item(file, QStringLiteral("action_startgame"), tr("&Start Game"),
                         [this] { startGameCommand(); });
    startGameItem->setEnabled(false);
    buildComputerItems(file);
    file->addSeparator();
    item(file, QStringLiteral("action_exit"), tr("E&xit"), [this] { close(); });

    QMenu *options = menuBar()->addMenu(tr("&Options"));
    options->setObjectName(QStringLiteral("menu_options"));
    buildSoundItems(options);
    options->addSeparator();
    item(options, QStringLiteral("action_textcolor"), tr("Text &Color"),
         [this] { chat().chooseTextColour(); });
    QMenu *sizes = options->addMenu(tr("Text Si&ze"));
    sizes->setObjectName(QStringLiteral("menu_textsize"));
    sizes->addActions(transcript().textSizeActions());
    QAction *scrollOff = transcript().scrollChatOffAction();
    scrollOff->setShortcutContext(Qt::WindowShortcut);
    options->addAction(scrollOff);
    options->addAction(transcript().clearAction());
    item(options, QStringLiteral("action_resetscreen"), tr("&Reset Screen Location"),
         [this] { resetScreenLocation(); });
    options->addSeparator();
    ballNumbersItem =
        item(options, QStringLiteral("action_ballnumbers"), tr("Show &Ball Numbers"), [this] {
            boardPanel->setShowBallNumbers(ballNumbersItem->isChecked());
            settings->save({SettingKey::Ballnumbers});
        });
    ballNumbersItem->setCheckable(true);
    options->addSeparator();
    justWatchItem = item(options, QStringLiteral("action_justwatch"), tr("&Just Watch"), [this] {
        // The mark follows the server's answer, not the click.
        justWatchItem->setChecked(session().justWatch());
        session().justWatchClick();
    });
    justWatchItem->setCheckable(true);

    QMenu *view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("menu_view"));
    // An open window is brought forward with its current-game list rebuilt.
    item(view, QStringLiteral("action_viewtally"), tr("View &Tally"), [this] {
        if (windows.tallylist)
            windows.tallylist->viewTally();
    });
    item(view, QStringLiteral("action_spylist"), tr("&Spy List"), [this] {
        if (windows.spylist)
            windows.spylist->show();
    });
    item(view, QStringLiteral("action_phraselist"), tr("&Phrase List"), [this] {
        if (!windows.phrases)
            return;
        QStringList texts;
        for (const std::string &text : phraseTexts())
            texts << QString::fromStdString(text);
        windows.phrases->showPhrases(texts);
    });
    // The entry stays hidden; its shortcut works all the same.
    QAction *instructions = transcript().quickInstructionsAction();
    instructions->setShortcutContext(Qt::WindowShortcut);
    addAction(instructions);
    QAction *hiddenEntry =
        item(view, QStringLiteral("action_quickinstructions"), tr("View &Quick Instructions"),
             [this] { transcript().viewQuickInstructions(); });
    hiddenEntry->setVisible(false);

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("menu_help"));
    QAction *content = item(help, QStringLiteral("action_content"), tr("&Content"), [this] {
        if (windows.help)
            windows.help->show();
    });
    content->setShortcut(QKeySequence(Qt::Key_F1));
    content->setShortcutContext(Qt::WindowShortcut);
    help->addSeparator();
    item(help, QStringLiteral("action_about"), tr("&About"), [this] {
        if (windows.about)
            windows.about->show();
    });
}

void MainWindow::setWindows(const SecondaryWindows &others)
{
    windows = others;
    settings->setGameOptions(windows.gamestart);
    if (windows.gamestart) {
        connect(windows.gamestart, &Tgamestart::startRequested, this,
                [this](const QByteArray &wire) {
                    guarded(ErrorOrigin::Local, [&] { send(wire.toStdString()); });
                });
        connect(windows.gamestart, &Tgamestart::saveSettingsRequested, this,
                [this] { settings->save(kGameOptionKeys); });
    }
    if (windows.phrases) {
        connect(windows.phrases, &Tphrases::phrasesConfirmed, this,
                [this](const QStringList &texts) {
                    guarded(ErrorOrigin::Local, [&] { applyPhrases(texts); });
                });
    }
    if (windows.spylist) {
        connect(windows.spylist, &Tspylist::kickRequested, this, [this](int slot) {
            guarded(ErrorOrigin::Local, [&] { session().kicking(slot); });
        });
    }
    if (windows.help && windows.about)
        connect(windows.help, &Thelp::aboutRequested, windows.about, &QWidget::show);
    if (windows.download)
        connect(windows.download, &Tdownload::exitRequested, this, &QWidget::close);
}

std::array<std::string, 9> MainWindow::phraseTexts() const
{
    std::array<std::string, 9> texts;
    for (int n = 1; n <= 9; ++n)
        texts[n - 1] = gameClient->chat().phrase(n);
    return texts;
}


void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (shownOnce)
        return;
    shownOnce = true;
    // The launch runs once the window is on the screen, so that a box it
    // raises stands over a visible window.
    QTimer::singleShot(0, this, [this] {
        noteReferenceBounds();
        guarded(ErrorOrigin::Local, [this] { processparams(); });
    });
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    if (paintedOnce)
        return;
    paintedOnce = true;
    // The audio backend and the sounds load once the first picture is on the
    // screen, not before it; a cue that comes first loads them itself.
    QTimer::singleShot(0, soundPlayer.get(), &SoundPlayer::prepare);
}

void MainWindow::processparams()
{
    setStartAvailable(false, false);
    session().setLoginname("");
    std::vector<std::string> arguments;
    for (const QString &argument : commandLine)
        arguments.push_back(argument.toStdString());
    const LaunchPlan plan = planLaunch(arguments);
    transcript().addlinetochat(plan.loadingLine, kSysColour);
    if (plan.mode == LaunchMode::Incomplete)
        return;
    if (plan.showDownload && windows.download)
        windows.download->show();
    hostAddress = plan.hostaddress;
    session().setPlayername(plan.playername);
    if (plan.mode == LaunchMode::Join)
        joinpress();
    else
        hostpress();
    if (plan.openLobbyLink)
        openLobbyLink();
}

void MainWindow::hostpress()
{
    if (windows.server)
        windows.server->startListening(gamePortName().toUShort());
    session().setPlayername(session().playername());
    session().setHosting(true);
    gameLink->open(QStringLiteral("127.0.0.1"), gamePortName());
    setStartAvailable(true, true);
    if (windows.spylist)
        windows.spylist->setHosting(true);
    if (windows.gamestart)
        windows.gamestart->setPlayerName(session().playername());
}

void MainWindow::joinpress()
{
    session().setPlayername(session().playername());
    gameLink->open(QString::fromStdString(hostAddress), gamePortName());
    setStartAvailable(false, false);
}

void MainWindow::openLobbyLink()
{
    // Whatever becomes of it is of no concern to the session().
    guarded(ErrorOrigin::Peer, [this] { Sock11.Open(); });
}

void MainWindow::setStartAvailable(bool shown, bool menuEnabled)
{
    session().setStartButtonVisible(shown);
    startGameItem->setEnabled(menuEnabled);
    modelChanged();
}

void MainWindow::startGameCommand()
{
    if (!session().loggedin()) {
        QMessageBox::information(this, windowTitle(), tr("You are not connected"));
        return;
    }
    if (windows.gamestart) {
        windows.gamestart->setPlayerName(session().playername());
        windows.gamestart->show();
        windows.gamestart->raise();
    }
}

QRect MainWindow::currentBounds() const
{
    return frameGeometry();
}

void MainWindow::applyBounds(const QRect &bounds, bool byUser)
{
    const QSize frameExtra = frameGeometry().size() - size();
    move(bounds.topLeft());
    resize(bounds.size() - frameExtra);
    if (!byUser)
        QTimer::singleShot(0, this, &MainWindow::noteReferenceBounds);
}

QRect MainWindow::placement() const
{
    // A window manager adds its frame after the window is shown, moving the
    // client area and growing the frame; the frame's corner and the client
    // area's size stay as the program set them until the user moves or
    // resizes the window.
    return {frameGeometry().topLeft(), size()};
}

void MainWindow::noteReferenceBounds()
{
    referencePlacement = placement();
}

void MainWindow::resetScreenLocation()
{
    applyBounds(kDefaultBounds, true);
}

void MainWindow::bringForward()
{
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    QRect bounds = currentBounds();
    if (bounds != savedbounds) {
        // A window larger than the work area is stored 15 pixels smaller,
        // so that it creeps back onto the screen over later runs.
        const QRect work = screen() != nullptr ? screen()->availableGeometry() : QRect();
        if (work.isValid() && work.width() < bounds.width())
            bounds.setWidth(bounds.width() - 15);
        if (work.isValid() && work.height() < bounds.height())
            bounds.setHeight(bounds.height() - 15);
        savedbounds = bounds;
        const bool userMoved = placement() != referencePlacement;
        guarded(ErrorOrigin::Local,
                [&] { settings->save(userMoved ? kWindowBoundsKeys : SettingKeys{}, bounds); });
    }
    event->accept();
    QMainWindow::closeEvent(event);
    // The program ends with its main window, whatever other window is open.
    QCoreApplication::quit();
}

void MainWindow::applyPhrases(const QStringList &texts)
{
    const Phrases before = phraseTexts();
    for (int n = 1; n <= kPhraseCount; ++n)
        chat().setPhrase(n, n <= texts.size() ? texts[n - 1].toStdString() : std::string());
    settings->savePhrases(before);
}

void MainWindow::send(const std::string &bytes)
{
    gameLink->send(bytes);
    // A phrase button locks itself when it sends; its lock counts dispatch
    // ticks, so the dispatch timer must run even with nothing received.
    gameLink->wake();
}

void MainWindow::gameIsFull()
{
    if (refusedAsFull)
        return;
    refusedAsFull = true;
    // The box opens after the dispatch tick, which goes on meanwhile.
    QTimer::singleShot(0, this, [this] {
        QMessageBox::information(this, windowTitle(), tr("Game is full"));
        close();
    });
}

void MainWindow::roundClock(bool run)
{
    if (run)
        roundClockTimer.start();
    else
        roundClockTimer.stop();
}

void MainWindow::modelChanged()
{
    boardPanel->refresh();
    if (justWatchItem != nullptr)
        justWatchItem->setChecked(session().justWatch());
    if (addComputerItem != nullptr)
        addComputerItem->setEnabled(computers->canAdd(session()));
}

void MainWindow::buildComputerItems(QMenu *file)
{
    computers = new bot::ComputerPlayers(this);
    connect(computers, &bot::ComputerPlayers::failed, this,
            [this](const QString &name, const QString &why) {
                // The player's own words may run over several lines.
                const QString text = name + QStringLiteral(": ") + why.simplified();
                transcript().addlinetochat("0+" + text.toStdString(), kSysColour);
            });

    addComputerItem = file->addAction(tr("&Add Computer Player"));
    addComputerItem->setObjectName(QStringLiteral("action_addcomputer"));
    addComputerItem->setEnabled(false);
    connect(addComputerItem, &QAction::triggered, this,
            [this] { guarded(ErrorOrigin::Local, [this] { addComputerPlayer(); }); });

    QMenu *levels = file->addMenu(tr("Computer &Level"));
    levels->setObjectName(QStringLiteral("menu_computerlevel"));
    auto *group = new QActionGroup(levels);
    const std::tuple<const char *, const char *, bot::Level> choices[] = {
        {"easy", QT_TR_NOOP("&Easy"), bot::Level::Easy},
        {"normal", QT_TR_NOOP("&Normal"), bot::Level::Normal},
        {"expert", QT_TR_NOOP("E&xpert"), bot::Level::Expert}};
    for (const auto &[name, caption, level] : choices) {
        QAction *entry = levels->addAction(tr(caption));
        entry->setObjectName(QStringLiteral("action_level") + QLatin1String(name));
        entry->setCheckable(true);
        entry->setChecked(level == computers->level());
        group->addAction(entry);
        const bot::Level chosen = level;
        connect(entry, &QAction::triggered, this, [this, chosen] { computers->setLevel(chosen); });
    }
}

void MainWindow::addComputerPlayer()
{
    if (!windows.server || !computers->canAdd(session()))
        return;
    computers->add(session().roster(), windows.server->listeningPort());
    modelChanged();
}

ClientSession &MainWindow::session()
{
    return gameClient->session();
}

TranscriptPane &MainWindow::transcript()
{
    return chatColumn->transcript();
}

ChatControls &MainWindow::chat()
{
    return chatColumn->controls();
}

void MainWindow::createSettings()
{
    settings = std::make_unique<SettingsController>(
        SettingsController::Parts{transcript(), chat(), *boardPanel, *cues, *soundMenu,
                                  *ballNumbersItem, [this] { return currentBounds(); },
                                  [this](const QRect &bounds) {
                                      savedbounds = bounds;
                                      applyBounds(bounds, false);
                                  }});
}

void MainWindow::buildSoundItems(QMenu *options)
{
    soundMenu = new SoundMenu(*cues, options);
    connect(soundMenu, &SoundMenu::switchChanged, this,
            [this](SettingKey key) { settings->save({key}); });
}

bool MainWindow::chatterSoundsOn() const
{
    return cues->chatterSounds();
}

void MainWindow::playChatterSound(std::string_view name)
{
    cues->playChatter(name);
}

void MainWindow::loadinifile()
{
    settings->load();
}

void MainWindow::saveTextColour()
{
    settings->save({SettingKey::Textcolor});
}

} // namespace kalvex
