// A game's place on a WebDAV server (Nextcloud, ownCloud, Apache's mod_dav):
// GET with If-None-Match to poll, PUT with If-Match or If-None-Match: * so a
// write never replaces what another player wrote, MKCOL for the game's folder.
// Basic authentication on every request; TLS checks the server against the
// system's certificates.
#pragma once

#include <QNetworkAccessManager>
#include <QUrl>

#include "net/PlaceBackend.h"

class QNetworkReply;

namespace tarq::net {

class WebDavPlace : public PlaceBackend {
    Q_OBJECT
public:
    // `gameFolder`: the place's address with the game id as the last folder.
    WebDavPlace(QUrl gameFolder, const QString& user, const QString& password, int timeoutMs);

    void Read(const QString& name, const QString& knownTag, Done done) override;
    void Put(const QString& name, const QByteArray& bytes, const QString& tag, Done done) override;

private:
    QNetworkRequest Request(const QUrl& url) const;
    QUrl FileUrl(const QString& name) const;
    void PutOnce(const QString& name, const QByteArray& bytes, const QString& tag, bool madeFolder, Done done);
    void MakeFolderThenPut(const QString& name, const QByteArray& bytes, const QString& tag, Done done);

    QNetworkAccessManager manager_;
    QUrl folder_;
    QByteArray authorization_;
    int timeoutMs_;
    bool folderMade_ = false;
};

// The reply's outcome as a Status, with its detail in Russian.
Reply ReplyOf(QNetworkReply& reply);

}  // namespace tarq::net
