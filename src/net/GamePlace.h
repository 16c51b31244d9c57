// Where a game of players on several machines lives: a local folder (kept in
// step with the other machines by a sync service or a network share) or a
// WebDAV address with a user name. The password is never part of it: it is
// kept in the desktop's keyring (Passwords.h). The game's turns lie in the
// place's subfolder named by the game id (TurnLayout.h).
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>

class QSettings;

namespace tarq::net {

struct GamePlace {
    enum class Kind { Folder, WebDav };
    Kind kind = Kind::Folder;
    QString folder;  // Kind::Folder: the shared folder
    QUrl address;    // Kind::WebDav: the folder on the server (http or https)
    QString user;    // Kind::WebDav
    QString gameId;  // the game's subfolder in the place
    int seat = 1;    // the player who plays on this machine

    // The place as the player reads it: the folder, or the address without
    // any password, with the game id after it.
    QString Shown() const;
    // The key of the password in the keyring: the address and the user.
    QString PasswordKey() const;
    // What is wrong with the place, in Russian; empty when it can be used.
    QString Problem() const;
    bool operator==(const GamePlace&) const = default;
};

// An entry of "Мои сетевые игры": the place and what was last seen there.
struct NetGameEntry {
    GamePlace place;
    int turn = 0;     // the latest turn seen in the place; 0 before any
    int player = 0;   // whose turn it is
    QDateTime since;  // when that turn file was first seen here
    bool operator==(const NetGameEntry&) const = default;
};

// The list in the settings file (group "netgames"): places and what was seen,
// no passwords. Unusable entries of a damaged file are left out.
QList<NetGameEntry> ReadNetGames(QSettings& settings);
void WriteNetGames(QSettings& settings, const QList<NetGameEntry>& games);
// `entry` replaces the entry of the same game id, or is added.
void KeepNetGame(QSettings& settings, const NetGameEntry& entry);

}  // namespace tarq::net
