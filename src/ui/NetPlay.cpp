#include "ui/NetPlay.h"

#include <QApplication>
#include <QHeaderView>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QTreeWidget>
#include <QWidget>

#include "gamefile/GameFile.h"

namespace tarq {

namespace {

constexpr char kPollKey[] = "netplay/pollSeconds";
constexpr int kRequestTimeoutMs = 60000;

QString WhoseTurn(const net::NetGameEntry& e) {
    if (e.turn == 0) return QStringLiteral("еще нет ходов");
    const QString who = e.player == e.place.seat ? QStringLiteral("ваш ход") : QStringLiteral("игрок %1").arg(e.player);
    return QStringLiteral("ход %1: %2").arg(e.turn).arg(who);
}

}  // namespace

NetPlay::NetPlay(QWidget* window, Tell tell, QObject* parent)
    : QObject(parent), window_(window), tell_(std::move(tell)) {
    connect(&passwords_, &net::Passwords::keyringUnavailable, this, [this](const QString& m) { tell_(m); });
}

NetPlay::~NetPlay() = default;

// The user's settings file, as the other kept settings use it.
std::unique_ptr<QSettings> NetPlay::OpenSettings() const {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tarq"),
                                       QStringLiteral("tarq"));
}

int NetPlay::PollSeconds() const {
    const int seconds = OpenSettings()->value(QLatin1String(kPollKey), net::kDefaultPollMs / 1000).toInt();
    return std::clamp(seconds, net::kMinPollMs / 1000, net::kMaxPollMs / 1000);
}

void NetPlay::SetPollSeconds(int seconds) { OpenSettings()->setValue(QLatin1String(kPollKey), seconds); }

void NetPlay::Start() {
    games_ = net::ReadNetGames(*OpenSettings());
    for (const net::NetGameEntry& entry : games_) {
        if (entry.place.kind == net::GamePlace::Kind::Folder) {
            Watch(entry, {});
            continue;
        }
        const QString id = entry.place.gameId;
        passwords_.Read(entry.place.PasswordKey(), [this, id](const QString& password) {
            if (const net::NetGameEntry* e = Find(id)) Watch(*e, password);
        });
    }
    emit listChanged();
}

const net::NetGameEntry* NetPlay::Find(const QString& gameId) const {
    for (const net::NetGameEntry& e : games_)
        if (e.place.gameId == gameId) return &e;
    return nullptr;
}

void NetPlay::Watch(const net::NetGameEntry& entry, const QString& password) {
    net::ExchangeOptions options;
    options.dataFolder = net::NetDataFolder();
    options.pollMs = PollSeconds() * 1000;
    auto exchange =
        std::make_unique<net::TurnExchange>(entry.place, net::MakeBackend(entry.place, password, kRequestTimeoutMs),
                                            options, this);
    const QString id = entry.place.gameId;
    connect(exchange.get(), &net::TurnExchange::turnReceived, this,
            [this, id](const net::TurnPointer& p) { Seen(id, p, true); });
    connect(exchange.get(), &net::TurnExchange::turnSent, this,
            [this, id](const net::TurnPointer& p) { Seen(id, p, false); });
    connect(exchange.get(), &net::TurnExchange::problem, this, [this](const QString& m) { tell_(m); });
    connect(exchange.get(), &net::TurnExchange::turnRefused, this, [this](const QString& m) { tell_(m); });
    exchange->Start();
    exchanges_[id] = std::move(exchange);
}

void NetPlay::Add(const net::GamePlace& place, const QString& password, const Game* game) {
    if (place.kind == net::GamePlace::Kind::WebDav) passwords_.Write(place.PasswordKey(), password);
    net::NetGameEntry entry;
    const net::NetGameEntry* known = Find(place.gameId);
    if (known) entry = *known;
    const bool firstTurn = game && !known;
    entry.place = place;
    net::KeepNetGame(*OpenSettings(), entry);
    games_ = net::ReadNetGames(*OpenSettings());
    exchanges_.erase(place.gameId);
    Watch(entry, password);
    if (game) SetShown(place.gameId);
    // A game new to the list starts its place with the turn on show; a known
    // one only changes how it is reached.
    if (firstTurn) exchanges_[place.gameId]->Send(WriteGameFile(*game), game->Turn, game->CurrentPlayer);
    emit listChanged();
}

void NetPlay::SetShown(const QString& gameId) {
    shown_ = Find(gameId) ? gameId : QString();
    // The turn is being taken up: the mark in the title has done its work.
    if (!title_.isEmpty()) window_->setWindowTitle(std::exchange(title_, QString()));
}

QString NetPlay::Send(const Game& game) {
    const auto exchange = exchanges_.find(shown_);
    if (exchange == exchanges_.end()) return {};
    exchange->second->Send(WriteGameFile(game), game.Turn, game.CurrentPlayer);
    return exchange->second->place().Shown();
}

bool NetPlay::PlaysHere(int player) const {
    const net::NetGameEntry* entry = Find(shown_);
    return !entry || entry->place.seat == player;
}

QString NetPlay::LatestFile(const QString& gameId) const {
    const auto exchange = exchanges_.find(gameId);
    return exchange == exchanges_.end() ? QString() : exchange->second->LatestFile();
}

// A turn seen in the place (received) or put there from here: the list says
// whose turn it is and since when.
void NetPlay::Seen(const QString& gameId, const net::TurnPointer& latest, bool received) {
    net::NetGameEntry* entry = nullptr;
    for (net::NetGameEntry& e : games_)
        if (e.place.gameId == gameId) entry = &e;
    if (!entry) return;
    if (entry->turn != latest.turn || entry->player != latest.player) entry->since = QDateTime::currentDateTime();
    entry->turn = latest.turn;
    entry->player = latest.player;
    net::KeepNetGame(*OpenSettings(), *entry);
    emit listChanged();
    if (received && latest.player == entry->place.seat) YourTurn(*entry);
}

void NetPlay::YourTurn(const net::NetGameEntry& entry) {
    const QString text =
        QStringLiteral("Ваш ход (ход %1) в сетевой игре «%2».").arg(entry.turn).arg(entry.place.Shown());
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        if (!tray_) {
            tray_ = new QSystemTrayIcon(window_->windowIcon(), this);
            tray_->setToolTip(QStringLiteral("TARQ"));
        }
        tray_->show();
        tray_->showMessage(QStringLiteral("TARQ: ваш ход"), text);
    }
    if (title_.isEmpty()) title_ = window_->windowTitle();
    window_->setWindowTitle(QStringLiteral("Ваш ход! — ") + title_);
    QApplication::alert(window_);
    if (window_->isActiveWindow()) tell_(text);
}

void NetPlay::ShowList(QTreeWidget* list) const {
    list->clear();
    for (const net::NetGameEntry& e : games_) {
        auto* item = new QTreeWidgetItem(list, {e.place.Shown(), WhoseTurn(e),
                                                e.since.isValid() ? e.since.toString(QStringLiteral("dd.MM.yyyy hh:mm"))
                                                                  : QString()});
        item->setData(0, Qt::UserRole, e.place.gameId);
        item->setToolTip(0, QStringLiteral("Игра %1, ваш игрок %2").arg(e.place.gameId).arg(e.place.seat));
    }
}

}  // namespace tarq
