#pragma once
// HttpDownload: one HTTP GET at a time, the document body written into an
// open file as it arrives, with the events the download window shows.
//
// Outcome: the request fails when it is aborted, when no connection is made
// (an HTTPS server whose certificate does not hold is not connected to), or
// when the server answers with a status of 400 or more (the body of such an
// answer is not written). Any other error (the file cannot be written, the
// connection breaks off in the middle of the body) is reported with its text.

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QFileDevice;
class QNetworkReply;

namespace kalvex {

class HttpDownload : public QObject
{
    Q_OBJECT

public:
    explicit HttpDownload(QObject *parent = nullptr);
    // Aborts a running request: a closing program leaves no request behind.
    ~HttpDownload() override;

    // Starts a GET of url; the body goes into file (open for writing), which
    // must outlive the request. Ignored while a request runs.
    void get(const QUrl &url, QFileDevice *file);
    // Ends a running request at once; it then ends as failed. Does nothing
    // when no request runs.
    void abort();
    bool isRunning() const { return reply != nullptr; }
    qint64 received() const { return bodyBytes; }
    // The address the last request's document came from, after redirects.
    QUrl documentAddress() const { return finalAddress; }

signals:
    // One received header line ("HTTP/1.1 200 OK", "Content-Length: 42", ...).
    void headerData(const QByteArray &line);
    // The document body begins.
    void docBegin();
    // A block of body data was written; the body bytes received so far.
    void docData(qint64 received);
    // The request has ended (always after the abort() that ended it returned).
    // error is empty unless something other than the download failed.
    void requestDone(bool succeeded, const QString &error);

private:
    void onMetaData();
    void onReadyRead();
    void onFinished();
    // Ends the running request outside the reply's own signal handlers.
    void abortLater();

    QNetworkAccessManager manager;
    QPointer<QNetworkReply> reply;
    QFileDevice *file = nullptr;
    QUrl finalAddress;
    qint64 bodyBytes = 0;
    qint64 droppedBytes = 0;
    int status = 0;
    bool headersSeen = false;
    bool userAborted = false;
    QString writeError;
};

} // namespace kalvex
