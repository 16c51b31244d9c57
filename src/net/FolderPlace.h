// A game's place in a local folder that a sync service (Syncthing, a Nextcloud
// client) or a network share keeps in step with the other machines. Files are
// written under a temporary name in the same folder and renamed, so no one
// ever reads half of a file written here; a new turn file is renamed only
// where no file of that name exists. Changes are seen through
// QFileSystemWatcher, and by the exchange's slow poll where a sync service
// writes behind inotify's back.
#pragma once

#include <QFileSystemWatcher>

#include "net/PlaceBackend.h"

namespace tarq::net {

class FolderPlace : public PlaceBackend {
    Q_OBJECT
public:
    // `gameFolder`: the place's folder joined with the game id.
    explicit FolderPlace(QString gameFolder);

    void Read(const QString& name, const QString& knownTag, Done done) override;
    void Put(const QString& name, const QByteArray& bytes, const QString& tag, Done done) override;
    bool Watches() const override { return true; }

private:
    Reply ReadNow(const QString& name, const QString& knownTag) const;
    Reply PutNow(const QString& name, const QByteArray& bytes, const QString& tag);
    void Answer(Reply reply, Done done);
    void Watch();

    QString folder_;
    QFileSystemWatcher watcher_;
};

}  // namespace tarq::net
