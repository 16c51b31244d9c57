// One game played across machines, seen from one machine: it sends this
// machine's turns to the game's place and watches the place for the turns of
// the others. This is the whole surface the window uses for a network game.
//
// Sending (after END TURN): the turn file is created under its own name, then
// the pointer `current` is replaced on condition that it is still the one this
// machine last read (TurnLayout.h). Another player's turn committed meanwhile
// makes the send refused for good, and told; any other fault keeps the turn
// in this machine's outbox and sends it again later, with growing pauses,
// also after the game is restarted.
//
// Watching: the pointer is read every poll interval, conditionally, and at
// once when a folder reports a change; a new turn file is fetched, must match
// the pointer's size and hash (else it is still being synced: wait), must
// pass the received-turn check, and only then is kept here and announced.
// Each fault is told once, until things work again.
#pragma once

#include <QTimer>
#include <memory>
#include <optional>

#include "net/PlaceBackend.h"
#include "net/TurnLayout.h"

namespace tarq::net {

struct ExchangeOptions {
    QString dataFolder;         // this machine's copies of the game's files: <dataFolder>/<game id>/
    int pollMs = 30000;         // how often the place is read
    int maxBackoffMs = 240000;  // the longest pause after repeated faults
    int firstRetryMs = 2000;    // the first pause before a failed send is tried again
    int weakTagWaitMs = 1100;   // see SendPointer
};

// <XDG data home>/tarq/net.
QString NetDataFolder();
// Poll intervals the player may choose: 2 s to 10 min, 30 s by default.
inline constexpr int kMinPollMs = 2000, kDefaultPollMs = 30000, kMaxPollMs = 600000;

class TurnExchange : public QObject {
    Q_OBJECT
public:
    TurnExchange(GamePlace place, std::unique_ptr<PlaceBackend> backend, ExchangeOptions options,
                 QObject* parent = nullptr);

    // Takes up what this machine kept (the latest turn seen, a turn not yet
    // sent), sends that turn again and starts watching.
    void Start();
    // The file of the game at player `player`'s turn `turn`, after END TURN
    // here, goes to the place. It is kept in the outbox first.
    void Send(const QByteArray& file, int turn, int player);
    // Reads the place now (the poll timer starts over).
    void CheckNow();

    const GamePlace& place() const { return place_; }
    // The latest turn seen in the place or sent from here.
    const std::optional<TurnPointer>& latest() const { return latest_; }
    // This machine's copy of that turn's file.
    QString LatestFile() const;
    bool Sending() const { return outbox_.has_value(); }
    // Bytes of the turn files and pointers sent so far.
    qint64 bytesSent() const { return bytesSent_; }
    int pollInterval() const { return poll_.interval(); }

signals:
    // Another machine's turn arrived, was checked and kept at `path`.
    void turnReceived(const tarq::net::TurnPointer& latest, const QString& path);
    // This machine's turn is in the place.
    void turnSent(const tarq::net::TurnPointer& sent);
    // Another player committed a turn first: this one will never be sent.
    void turnRefused(const QString& message);
    // A fault, in Russian, told once until an operation succeeds again.
    void problem(const QString& message);

private:
    enum class Fault { None, Partial, Refused, Other };
    struct Outgoing {
        QByteArray file;
        TurnPointer pointer;
        QByteArray base;  // the pointer the turn was played from; empty for the game's first
        int weakTagTries = 0;
    };

    QString Own(const QString& name) const;
    void Poll();
    void ReadPointerDone(const Reply& reply);
    void FetchTurn(const QByteArray& pointerBytes, const TurnPointer& pointer, const QString& tag);
    void Accept(const QByteArray& file, const QByteArray& pointerBytes, const TurnPointer& pointer, const QString& tag);
    void SendFile();
    void SendPointer();
    void PointerRefused();
    void Sent();
    void Refuse(const TurnPointer* theirs);
    void RetryLater();
    void Report(Status status, const QString& detail);
    void ReportOnce(Fault fault, const QString& message);
    void Succeeded();
    void KeepOutbox();

    GamePlace place_;
    std::unique_ptr<PlaceBackend> backend_;
    ExchangeOptions options_;
    QTimer poll_;
    QTimer retry_;
    int backoffMs_ = 0;
    bool polling_ = false;
    bool sendingNow_ = false;
    QString tag_;         // the pointer's ETag as last read here
    QByteArray seen_;     // the pointer as last read or written here
    QByteArray refused_;  // a pointer whose turn file failed the check: not fetched again
    std::optional<TurnPointer> latest_;
    std::optional<Outgoing> outbox_;
    Fault reported_ = Fault::None;
    Status reportedStatus_ = Status::Ok;
    qint64 bytesSent_ = 0;
};

}  // namespace tarq::net
