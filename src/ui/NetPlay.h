// Network games in the window: the list "Мои сетевые игры" kept in the
// settings file, one exchange per game watching its place, the game on show
// when it is one of them, and telling the player when their turn has come
// (a desktop notification where a tray exists, else the window's title and an
// alert). The window calls it at END TURN, when a game is opened and at the
// launch of a new game; everything else happens here.
#pragma once

#include <QList>
#include <QObject>
#include <functional>
#include <map>
#include <memory>

#include "core/GameState.h"
#include "net/GamePlace.h"
#include "net/Passwords.h"
#include "net/TurnExchange.h"

class QSettings;
class QSystemTrayIcon;
class QTreeWidget;
class QWidget;

namespace tarq {

class NetPlay : public QObject {
    Q_OBJECT
public:
    using Tell = std::function<void(const QString&)>;
    // `window` gets the title mark and the alert; `tell` shows a message.
    NetPlay(QWidget* window, Tell tell, QObject* parent = nullptr);
    ~NetPlay() override;

    // Reads the list and starts watching every game in it.
    void Start();
    // A place chosen in the dialog: the game of that id is watched from now
    // on. With `game`, the game on show becomes that network game and, when
    // the list did not have it yet, its present state the place's first turn file.
    void Add(const net::GamePlace& place, const QString& password, const Game* game);
    const QList<net::NetGameEntry>& games() const { return games_; }
    const net::NetGameEntry* Find(const QString& gameId) const;
    // Seconds between two looks at a place (2 to 600; 30 unless chosen).
    int PollSeconds() const;
    void SetPollSeconds(int seconds);

    // The network game on show, by id; empty for any other game.
    void SetShown(const QString& gameId);
    const QString& shown() const { return shown_; }
    // After END TURN of the game on show: its file goes to its place. The
    // place as shown to the player, or empty when the game is not a network one.
    QString Send(const Game& game);
    // Whether `player` of the game on show plays at this machine: any player
    // of a game that is not a network one.
    bool PlaysHere(int player) const;
    // This machine's copy of the game's latest turn file.
    QString LatestFile(const QString& gameId) const;

    // "Мои сетевые игры": place, whose turn it is and since when.
    void ShowList(QTreeWidget* list) const;

signals:
    void listChanged();

private:
    void Watch(const net::NetGameEntry& entry, const QString& password);
    void Seen(const QString& gameId, const net::TurnPointer& latest, bool received);
    void YourTurn(const net::NetGameEntry& entry);
    std::unique_ptr<QSettings> OpenSettings() const;

    QWidget* window_;
    Tell tell_;
    net::Passwords passwords_;
    QList<net::NetGameEntry> games_;
    std::map<QString, std::unique_ptr<net::TurnExchange>> exchanges_;
    QString shown_;
    QString title_;  // the window's title without the mark
    QSystemTrayIcon* tray_ = nullptr;
};

}  // namespace tarq
