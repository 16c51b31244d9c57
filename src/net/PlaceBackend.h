// The few file operations a game's place needs, on a shared folder or a
// WebDAV server alike; each answers once, later, through its callback (never
// before the call returns), so the window never waits on the network.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "net/GamePlace.h"

namespace tarq::net {

enum class Status {
    Ok,
    NotModified,         // a conditional read: the file still has the tag given
    Missing,             // no such file (yet)
    PreconditionFailed,  // a write refused: the file exists, or no longer has the tag given
    Unauthorized,        // 401: wrong user name or password
    Forbidden,           // 403
    QuotaFull,           // 507, or a full disk
    ServerError,         // any other answer of the server
    NoConnection,        // no answer: no network, refused, timed out, cut off
    Tls,                 // the secure connection failed
    LocalError,          // the folder cannot be read or written
};

struct Reply {
    Status status = Status::Ok;
    QByteArray body;  // a read's content
    QString tag;      // a read's ETag (a folder: a hash of the content)
    QString detail;   // what went wrong, in Russian, for the message
};
using Done = std::function<void(const Reply&)>;

class PlaceBackend : public QObject {
    Q_OBJECT
public:
    ~PlaceBackend() override = default;

    // Reads `name` in the game's folder. With `knownTag`, NotModified when
    // the file still has that tag.
    virtual void Read(const QString& name, const QString& knownTag, Done done) = 0;
    // Writes `name` whole or not at all. With an empty `tag` only when no file
    // of that name exists, else only when the file still has tag `tag`;
    // PreconditionFailed otherwise. Creates the game's folder when needed.
    virtual void Put(const QString& name, const QByteArray& bytes, const QString& tag, Done done) = 0;
    // A folder tells of changes (changed()); a server is polled only.
    virtual bool Watches() const { return false; }

signals:
    // Something in the game's folder may have changed.
    void changed();
};

// The backend of `place`; `password` for a WebDAV place, `timeoutMs` for
// each request without progress.
std::unique_ptr<PlaceBackend> MakeBackend(const GamePlace& place, const QString& password, int timeoutMs);

}  // namespace tarq::net
