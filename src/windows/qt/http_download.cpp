#include "windows/qt/http_download.h"

#include "windows/download_progress.h"
#include "windows/qt/desktop.h"

#include <QFileDevice>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace kalvex {

namespace {

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The body of a failure answer (an error page) is read to its end and
// dropped, so that the reply ends once, by itself; only a body larger than
// any error page is cut short.
constexpr qint64 kLongestErrorPage = 256 * 1024;

} // namespace

HttpDownload::HttpDownload(QObject *parent) : QObject(parent)
{
    manager.setProxy(QNetworkProxy::NoProxy);
}

HttpDownload::~HttpDownload()
{
    if (reply) {
        reply->disconnect(this);
        reply->abort();
        delete reply;
    }
}

void HttpDownload::get(const QUrl &url, QFileDevice *destination)
{
    if (reply)
        return;
    file = destination;
    finalAddress = url;
    bodyBytes = 0;
    droppedBytes = 0;
    status = 0;
    headersSeen = false;
    userAborted = false;
    writeError.clear();
    if (!isWebAddress(url)) {
        // Only web addresses are fetched: no connection is made.
        QMetaObject::invokeMethod(
            this, [this] { emit requestDone(false, {}); }, Qt::QueuedConnection);
        return;
    }

    QNetworkRequest request(url);
    request.setRawHeader("User-Agent", "Mozilla/3.0 (compatible)");
    request.setRawHeader("Accept", "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*");
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    reply = manager.get(request);
    connect(reply, &QNetworkReply::metaDataChanged, this, &HttpDownload::onMetaData);
    connect(reply, &QIODevice::readyRead, this, &HttpDownload::onReadyRead);
    // Queued, so that an abort finishes its own work before the request's
    // end is handled.
    connect(reply, &QNetworkReply::finished, this, &HttpDownload::onFinished, Qt::QueuedConnection);
}

void HttpDownload::abort()
{
    if (!reply || userAborted)
        return;
    userAborted = true;
    reply->abort();
}

void HttpDownload::onMetaData()
{
    const int code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (code == 0 || headersSeen || (isRedirect(code) && reply->hasRawHeader("Location")))
        return;
    headersSeen = true;
    status = code;
    const QByteArray reason =
        reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray();
    emit headerData("HTTP/1.1 " + QByteArray::number(code) + (reason.isEmpty() ? "" : " ") +
                    reason);
    for (const auto &[name, value] : reply->rawHeaderPairs())
        emit headerData(name + ": " + value);
    if (!isFailureStatus(status))
        emit docBegin();
}

void HttpDownload::abortLater()
{
    // Aborting inside a handler of the reply's own signals makes Qt end the
    // reply twice.
    QMetaObject::invokeMethod(
        this,
        [this, pending = reply] {
            if (pending && pending == reply)
                pending->abort();
        },
        Qt::QueuedConnection);
}

void HttpDownload::onReadyRead()
{
    if (!reply || !headersSeen || isFailureStatus(status) || !writeError.isEmpty()) {
        if (!reply)
            return;
        const qint64 before = droppedBytes;
        droppedBytes += reply->readAll().size();
        if (writeError.isEmpty() && before <= kLongestErrorPage && droppedBytes > kLongestErrorPage)
            abortLater();
        return;
    }
    const QByteArray block = reply->readAll();
    if (block.isEmpty())
        return;
    if (file->write(block) != block.size()) {
        writeError = file->errorString();
        abortLater();
        return;
    }
    bodyBytes += block.size();
    emit docData(bodyBytes);
}

void HttpDownload::onFinished()
{
    QNetworkReply *done = reply;
    if (!done)
        return;
    // The last block may arrive with the end.
    if (done->bytesAvailable() > 0)
        onReadyRead();
    if (writeError.isEmpty() && !file->flush())
        writeError = file->errorString();

    const QNetworkReply::NetworkError error = done->error();
    bool succeeded = false;
    QString message;
    if (!writeError.isEmpty()) {
        message = tr("Cannot write %1: %2").arg(file->fileName(), writeError);
    } else if (userAborted || isFailureStatus(status) || !headersSeen) {
        succeeded = false;
    } else if (error != QNetworkReply::NoError) {
        message = done->errorString();
    } else {
        succeeded = true;
    }
    finalAddress = done->url();
    reply = nullptr;
    file = nullptr;
    done->deleteLater();
    emit requestDone(succeeded, message);
}

} // namespace kalvex
