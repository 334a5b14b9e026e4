#pragma once
// Tdownload: offers to download and install the Orbo77 Lobby, to go on with
// the solo game, or to hand over to an installed lobby.
//
// Wiring (main window, created at start-up, shown by a solo start):
//   auto *download = new Tdownload(programDirectory, this);
//   connect(download, &Tdownload::exitRequested, this, &QWidget::close);   // "Exit"
//   download->show();
// The installer's address is KALVEX_LOBBY_URL when set, else the maker's.
// A downloaded installer is started only when it came over HTTPS, or over
// HTTP from this computer (a loop-back host, as tests use).

#include "windows/download_progress.h"
#include "windows/qt/secondary_window.h"

#include <QFile>
#include <QUrl>

class QLabel;
class QPushButton;

namespace kalvex {

class Desktop;
class HttpDownload;

inline constexpr char kDefaultInstallerAddress[] = "https://www.orbo77.com/lobby/qvnsetup.exe";
inline constexpr char kInstalledLobbyPath[] = "/opt/Orbo77/Orbo77Lobby";

class Tdownload : public SecondaryWindow
{
    Q_OBJECT

public:
    // programDirectory: where the installer is saved. desktop: where the
    // installer and the lobby are started and messages shown (null: the
    // system desktop).
    Tdownload(const QString &programDirectory, QWidget *mainWindow, const QPixmap &background = {},
              Desktop *desktop = nullptr);
    ~Tdownload() override;

    QUrl installerAddress() const { return address; }
    void setInstallerAddress(const QUrl &url) { address = url; }
    void setLobbyPath(const QString &path) { lobby = path; }

    // "Download And Install The Orbo77 Lobby Now".
    void download();
    // "Stop Download".
    void stopDownload();
    // "Play Solo Game": the solo game already runs behind this window.
    void playSolo();
    // "Play with Others".
    void playWithOthers();

    bool isDownloading() const { return progress.running(); }
    const DownloadProgress &state() const { return progress; }

signals:
    // The main window's "Exit": ends the program (the installer or the lobby
    // takes over).
    void exitRequested();
    // The texts and buttons have just been brought up to date.
    void stateShown();
    // A download has ended and its outcome is shown.
    void downloadEnded();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void finish(bool succeeded, const QString &error);
    void startInstaller();
    void showState();

    Desktop &desktop;
    QString directory;
    QUrl address;
    QString lobby;
    DownloadProgress progress;
    HttpDownload *http;
    QFile file;

    QLabel *picture;
    QPushButton *getButton;
    QPushButton *abortButton;
    QLabel *info;
    QLabel *info2;
    QLabel *info3;
};

} // namespace kalvex
