#include "net/GamePlace.h"

#include <QDir>
#include <QSettings>
#include <algorithm>

#include "net/TurnLayout.h"

namespace tarq::net {

QString GamePlace::Shown() const {
    if (kind == Kind::Folder) return QDir::toNativeSeparators(QDir(folder).filePath(gameId));
    QUrl shown = address.adjusted(QUrl::RemovePassword | QUrl::StripTrailingSlash);
    return shown.toString() + QLatin1Char('/') + gameId;
}

QString GamePlace::PasswordKey() const {
    return address.adjusted(QUrl::RemoveUserInfo | QUrl::StripTrailingSlash).toString() + QStringLiteral(" ") + user;
}

QString GamePlace::Problem() const {
    if (!ValidGameId(gameId)) return QStringLiteral("код игры может состоять только из латинских букв, цифр и «-»");
    if (seat < 1 || seat > 8) return QStringLiteral("номер игрока должен быть от 1 до 8");
    if (kind == Kind::Folder)
        return folder.isEmpty() || QDir::isRelativePath(folder) ? QStringLiteral("укажите папку полным путем")
                                                                : QString();
    const QString scheme = address.scheme();
    if (!address.isValid() || address.host().isEmpty() || (scheme != u"http" && scheme != u"https"))
        return QStringLiteral("адрес должен начинаться с https:// или http://");
    return {};
}

QList<NetGameEntry> ReadNetGames(QSettings& settings) {
    QList<NetGameEntry> games;
    const int count = settings.beginReadArray(QStringLiteral("netgames"));
    for (int i = 0; i < std::min(count, 100); ++i) {
        settings.setArrayIndex(i);
        NetGameEntry e;
        e.place.kind = settings.value(QStringLiteral("kind")).toString() == u"webdav" ? GamePlace::Kind::WebDav
                                                                                      : GamePlace::Kind::Folder;
        e.place.folder = settings.value(QStringLiteral("folder")).toString();
        e.place.address = QUrl(settings.value(QStringLiteral("address")).toString());
        e.place.user = settings.value(QStringLiteral("user")).toString();
        e.place.gameId = settings.value(QStringLiteral("game")).toString();
        e.place.seat = settings.value(QStringLiteral("seat")).toInt();
        e.turn = std::max(0, settings.value(QStringLiteral("turn")).toInt());
        e.player = std::clamp(settings.value(QStringLiteral("player")).toInt(), 0, 8);
        e.since = QDateTime::fromString(settings.value(QStringLiteral("since")).toString(), Qt::ISODate);
        if (e.place.Problem().isEmpty()) games.append(e);
    }
    settings.endArray();
    return games;
}

void WriteNetGames(QSettings& settings, const QList<NetGameEntry>& games) {
    settings.remove(QStringLiteral("netgames"));
    settings.beginWriteArray(QStringLiteral("netgames"), static_cast<int>(games.size()));
    for (int i = 0; i < games.size(); ++i) {
        const NetGameEntry& e = games[i];
        settings.setArrayIndex(i);
        const bool dav = e.place.kind == GamePlace::Kind::WebDav;
        settings.setValue(QStringLiteral("kind"), dav ? QStringLiteral("webdav") : QStringLiteral("folder"));
        settings.setValue(QStringLiteral("folder"), dav ? QString() : e.place.folder);
        // Never a password, even one typed into the address.
        settings.setValue(QStringLiteral("address"),
                          dav ? e.place.address.adjusted(QUrl::RemovePassword).toString() : QString());
        settings.setValue(QStringLiteral("user"), e.place.user);
        settings.setValue(QStringLiteral("game"), e.place.gameId);
        settings.setValue(QStringLiteral("seat"), e.place.seat);
        settings.setValue(QStringLiteral("turn"), e.turn);
        settings.setValue(QStringLiteral("player"), e.player);
        settings.setValue(QStringLiteral("since"), e.since.toString(Qt::ISODate));
    }
    settings.endArray();
    settings.sync();
}

void KeepNetGame(QSettings& settings, const NetGameEntry& entry) {
    QList<NetGameEntry> games = ReadNetGames(settings);
    const auto same = std::find_if(games.begin(), games.end(),
                                   [&](const NetGameEntry& e) { return e.place.gameId == entry.place.gameId; });
    if (same != games.end())
        *same = entry;
    else
        games.append(entry);
    WriteNetGames(settings, games);
}

}  // namespace tarq::net
