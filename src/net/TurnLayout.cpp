#include "net/TurnLayout.h"

#include <QCryptographicHash>
#include <QList>
#include <QRandomGenerator>
#include <algorithm>

#include "gamefile/GameFile.h"
#include "gamefile/GameFileFormat.h"

namespace tarq::net {

namespace {

constexpr char kPointerMagic[] = "tarq-turn 1";
constexpr int kMaxPlayerNumber = 8;

QByteArray Sha256Hex(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// The value of line "key value", or nothing.
std::optional<QByteArray> Field(const QByteArray& line, const char* key) {
    const QByteArray prefix = QByteArray(key) + ' ';
    if (!line.startsWith(prefix)) return std::nullopt;
    return line.mid(prefix.size());
}

}  // namespace

QString TurnPointer::fileName() const { return TurnFileName(turn, player); }

QString TurnFileName(int turn, int player) {
    return QStringLiteral("turn-%1-player-%2%3").arg(turn).arg(player).arg(QLatin1String(kGameFileSuffix));
}

TurnPointer PointerFor(const QByteArray& bytes, int turn, int player) {
    return {turn, player, bytes.size(), Sha256Hex(bytes)};
}

QByteArray EncodePointer(const TurnPointer& p) {
    return QByteArray(kPointerMagic) + "\nturn " + QByteArray::number(p.turn) + "\nplayer " +
           QByteArray::number(p.player) + "\nsize " + QByteArray::number(p.size) + "\nsha256 " + p.sha256 + "\n";
}

std::optional<TurnPointer> DecodePointer(const QByteArray& bytes) {
    if (bytes.size() > 512) return std::nullopt;
    const QList<QByteArray> lines = bytes.split('\n');
    // Four fields after the magic, and the final line end: a cut-off pointer is no pointer.
    if (lines.size() != 6 || lines[0] != kPointerMagic || !lines[5].isEmpty()) return std::nullopt;
    const auto turn = Field(lines[1], "turn"), player = Field(lines[2], "player"), size = Field(lines[3], "size"),
               sha = Field(lines[4], "sha256");
    if (!turn || !player || !size || !sha) return std::nullopt;
    bool ok[3] = {};
    TurnPointer p{turn->toInt(&ok[0]), player->toInt(&ok[1]), size->toLongLong(&ok[2]), *sha};
    const bool hex = p.sha256.size() == 64 && std::all_of(p.sha256.begin(), p.sha256.end(), [](char c) {
                         return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
                     });
    if (!ok[0] || !ok[1] || !ok[2] || !hex || p.turn < 1 || p.player < 1 || p.player > kMaxPlayerNumber ||
        p.size <= gamefile::kHeaderSize || p.size > gamefile::kHeaderSize + 2 * qint64{gamefile::kMaxBodySize})
        return std::nullopt;
    return p;
}

bool MatchesPointer(const QByteArray& bytes, const TurnPointer& pointer) {
    return bytes.size() == pointer.size && Sha256Hex(bytes) == pointer.sha256;
}

QString NewGameId() {
    QByteArray raw(16, '\0');
    for (char& c : raw) c = static_cast<char>(QRandomGenerator::system()->bounded(256));
    return QString::fromLatin1(raw.toHex());
}

bool ValidGameId(const QString& id) {
    if (id.size() < 4 || id.size() > 64) return false;
    return std::all_of(id.begin(), id.end(),
                       [](QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-'; });
}

}  // namespace tarq::net
