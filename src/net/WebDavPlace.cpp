#include "net/WebDavPlace.h"

#include <QDir>
#include <QNetworkReply>

#include "net/FolderPlace.h"

namespace tarq::net {

namespace {

// No file of a game's folder is larger than the largest game file.
constexpr qint64 kMaxReadSize = 64ll << 20;

Status StatusOfHttp(int code) {
    if (code >= 200 && code < 300) return Status::Ok;
    switch (code) {
        case 304: return Status::NotModified;
        case 401: return Status::Unauthorized;
        case 403: return Status::Forbidden;
        case 404:
        case 410: return Status::Missing;
        case 412: return Status::PreconditionFailed;
        case 507: return Status::QuotaFull;
        default: return Status::ServerError;
    }
}

Status StatusOfNetwork(QNetworkReply::NetworkError error) {
    switch (error) {
        case QNetworkReply::SslHandshakeFailedError:
        case QNetworkReply::TooManyRedirectsError:
        case QNetworkReply::InsecureRedirectError: return Status::Tls;
        case QNetworkReply::ProtocolUnknownError:
        case QNetworkReply::ProtocolInvalidOperationError: return Status::ServerError;
        default: return Status::NoConnection;
    }
}

}  // namespace

Reply ReplyOf(QNetworkReply& reply) {
    const QVariant code = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    Reply out;
    if (code.isValid()) {
        out.status = StatusOfHttp(code.toInt());
        out.detail = QStringLiteral("ответ сервера %1 %2")
                         .arg(code.toInt())
                         .arg(reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    } else {
        out.status = StatusOfNetwork(reply.error());
        out.detail = reply.error() == QNetworkReply::OperationCanceledError ? QStringLiteral("сервер не отвечает")
                                                                            : reply.errorString();
    }
    if (out.status == Status::Ok) out.body = reply.read(kMaxReadSize);
    out.tag = QString::fromLatin1(reply.rawHeader("ETag"));
    return out;
}

WebDavPlace::WebDavPlace(QUrl gameFolder, const QString& user, const QString& password, int timeoutMs)
    : folder_(gameFolder.adjusted(QUrl::RemoveUserInfo | QUrl::StripTrailingSlash)),
      authorization_("Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64()),
      timeoutMs_(timeoutMs) {
    // A wrong password is the answer 401, told to the player; the manager's
    // own credential prompts are never answered.
    manager_.setAutoDeleteReplies(true);
}

QUrl WebDavPlace::FileUrl(const QString& name) const {
    QUrl url = folder_;
    url.setPath(folder_.path() + QLatin1Char('/') + name);
    return url;
}

QNetworkRequest WebDavPlace::Request(const QUrl& url) const {
    QNetworkRequest request(url);
    request.setRawHeader("Authorization", authorization_);
    request.setTransferTimeout(timeoutMs_);
    // A poll must see the server's file, not a cached copy.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    return request;
}

void WebDavPlace::Read(const QString& name, const QString& knownTag, Done done) {
    QNetworkRequest request = Request(FileUrl(name));
    if (!knownTag.isEmpty()) request.setRawHeader("If-None-Match", knownTag.toLatin1());
    QNetworkReply* reply = manager_.get(request);
    connect(reply, &QNetworkReply::finished, this, [reply, done = std::move(done)] { done(ReplyOf(*reply)); });
}

// The game's folder is made before the first write: a server refuses a PUT
// into a missing folder before it has read the body, and a large body cut
// short that way can leave the request hanging.
void WebDavPlace::Put(const QString& name, const QByteArray& bytes, const QString& tag, Done done) {
    if (folderMade_)
        PutOnce(name, bytes, tag, false, std::move(done));
    else
        MakeFolderThenPut(name, bytes, tag, std::move(done));
}

void WebDavPlace::PutOnce(const QString& name, const QByteArray& bytes, const QString& tag, bool madeFolder,
                          Done done) {
    QNetworkRequest request = Request(FileUrl(name));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/octet-stream"));
    if (tag.isEmpty())
        request.setRawHeader("If-None-Match", "*");
    else
        request.setRawHeader("If-Match", tag.toLatin1());
    QNetworkReply* reply = manager_.put(request, bytes);
    connect(reply, &QNetworkReply::finished, this, [this, reply, name, bytes, tag, madeFolder, done] {
        const int code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        // 409: the game's folder is gone (removed on the server meanwhile).
        if (code == 409 && !madeFolder) {
            MakeFolderThenPut(name, bytes, tag, done);
            return;
        }
        done(ReplyOf(*reply));
    });
}

void WebDavPlace::MakeFolderThenPut(const QString& name, const QByteArray& bytes, const QString& tag, Done done) {
    QNetworkReply* reply = manager_.sendCustomRequest(Request(FileUrl(QString())), "MKCOL");
    connect(reply, &QNetworkReply::finished, this, [this, reply, name, bytes, tag, done] {
        const int code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        // 405: someone made it meanwhile.
        if (code == 201 || code == 405) {
            folderMade_ = true;
            PutOnce(name, bytes, tag, true, done);
            return;
        }
        done(ReplyOf(*reply));
    });
}

std::unique_ptr<PlaceBackend> MakeBackend(const GamePlace& place, const QString& password, int timeoutMs) {
    if (place.kind == GamePlace::Kind::Folder)
        return std::make_unique<FolderPlace>(QDir(place.folder).filePath(place.gameId));
    QUrl folder = place.address.adjusted(QUrl::StripTrailingSlash);
    folder.setPath(folder.path() + QLatin1Char('/') + place.gameId);
    return std::make_unique<WebDavPlace>(folder, place.user, password, timeoutMs);
}

}  // namespace tarq::net
