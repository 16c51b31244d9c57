#include "net/TurnExchange.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "gamefile/GameFile.h"
#include "net/ReceivedTurn.h"

namespace tarq::net {

namespace {

// This machine's files of a game, in its folder of the data folder.
constexpr char kSeenFile[] = "current";              // the pointer as last read or written here
constexpr char kLatestFile[] = "latest.tarq";        // that turn's file
constexpr char kOutboxFile[] = "outbox.tarq";        // a turn not yet in the place...
constexpr char kOutboxPointer[] = "outbox.pointer";  // ...its pointer...
constexpr char kOutboxBase[] = "outbox.base";        // ...and the pointer it was played from
constexpr int kWeakTagTries = 5;

QByteArray ReadSmall(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(64ll << 20) : QByteArray();
}

QString Describe(const TurnPointer& p) { return QStringLiteral("ход %1, игрок %2").arg(p.turn).arg(p.player); }

}  // namespace

QString NetDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tarq/net");
}

TurnExchange::TurnExchange(GamePlace place, std::unique_ptr<PlaceBackend> backend, ExchangeOptions options,
                           QObject* parent)
    : QObject(parent), place_(std::move(place)), backend_(std::move(backend)), options_(std::move(options)) {
    poll_.setInterval(options_.pollMs);
    retry_.setSingleShot(true);
    connect(&poll_, &QTimer::timeout, this, &TurnExchange::Poll);
    connect(&retry_, &QTimer::timeout, this, &TurnExchange::SendFile);
    // A folder's change is looked at a moment later, when a burst of writes is over.
    connect(backend_.get(), &PlaceBackend::changed, this,
            [this] { QTimer::singleShot(200, this, &TurnExchange::Poll); });
}

QString TurnExchange::Own(const QString& name) const {
    return QDir(options_.dataFolder).filePath(place_.gameId + QLatin1Char('/') + name);
}

QString TurnExchange::LatestFile() const { return Own(QLatin1String(kLatestFile)); }

void TurnExchange::Start() {
    QDir().mkpath(Own(QString()));
    seen_ = ReadSmall(Own(QLatin1String(kSeenFile)));
    latest_ = DecodePointer(seen_);
    const QByteArray file = ReadSmall(Own(QLatin1String(kOutboxFile)));
    const std::optional<TurnPointer> pointer = DecodePointer(ReadSmall(Own(QLatin1String(kOutboxPointer))));
    if (pointer && MatchesPointer(file, *pointer))
        outbox_ = Outgoing{file, *pointer, ReadSmall(Own(QLatin1String(kOutboxBase))), 0};
    poll_.start();
    if (outbox_)
        SendFile();
    else
        Poll();
}

void TurnExchange::CheckNow() {
    poll_.start();
    Poll();
}

// --- Sending ----------------------------------------------------------------------

void TurnExchange::Send(const QByteArray& file, int turn, int player) {
    // A turn still waiting is replaced: the new one was played on from it.
    const QByteArray base = outbox_ ? outbox_->base : seen_;
    outbox_ = Outgoing{file, PointerFor(file, turn, player), base, 0};
    KeepOutbox();
    backoffMs_ = 0;
    if (!sendingNow_) SendFile();
}

void TurnExchange::KeepOutbox() {
    WriteFileAtomically(outbox_->file, Own(QLatin1String(kOutboxFile)));
    WriteFileAtomically(EncodePointer(outbox_->pointer), Own(QLatin1String(kOutboxPointer)));
    WriteFileAtomically(outbox_->base, Own(QLatin1String(kOutboxBase)));
}

// The turn file first, under its own name: it never replaces a file.
void TurnExchange::SendFile() {
    if (!outbox_ || sendingNow_) return;
    sendingNow_ = true;
    retry_.stop();
    const TurnPointer pointer = outbox_->pointer;
    backend_->Put(pointer.fileName(), outbox_->file, QString(), [this, pointer](const Reply& reply) {
        if (!outbox_ || !(outbox_->pointer == pointer)) {  // a newer turn took its place meanwhile
            sendingNow_ = false;
            SendFile();
            return;
        }
        if (reply.status == Status::Ok) {
            bytesSent_ += pointer.size;
            SendPointer();
            return;
        }
        if (reply.status != Status::PreconditionFailed) {
            Report(reply.status, reply.detail);
            RetryLater();
            return;
        }
        // A file of that name: this machine's own from an attempt cut short, or another player's.
        backend_->Read(pointer.fileName(), QString(), [this, pointer](const Reply& there) {
            if (there.status == Status::Ok && MatchesPointer(there.body, pointer))
                SendPointer();
            else if (there.status == Status::Ok)
                Refuse(nullptr);
            else {
                Report(there.status, there.detail);
                RetryLater();
            }
        });
    });
}

// Then the pointer, only over the one this turn was played from (or, for the
// game's first turn, only where there is none).
void TurnExchange::SendPointer() {
    const QByteArray bytes = EncodePointer(outbox_->pointer);
    const QString tag = outbox_->base.isEmpty()                     ? QString()
                        : seen_ == outbox_->base && !tag_.isEmpty() ? tag_
                                                                    : QStringLiteral("\"unknown\"");
    backend_->Put(QLatin1String(kPointerName), bytes, tag, [this, size = bytes.size()](const Reply& reply) {
        if (reply.status == Status::Ok) {
            bytesSent_ += size;
            Sent();
        } else if (reply.status == Status::PreconditionFailed) {
            PointerRefused();
        } else {
            Report(reply.status, reply.detail);
            RetryLater();
        }
    });
}

// The pointer was not replaced. Either another player's turn is there, or the
// tag was not good enough: not known after a restart, or weak (Apache hands
// out weak ETags for a file changed within the last second, and If-Match never
// matches one), so the pointer is read again and, while it is still the one
// this turn was played from, the write is tried again a little later.
void TurnExchange::PointerRefused() {
    backend_->Read(QLatin1String(kPointerName), QString(), [this](const Reply& reply) {
        if (reply.status != Status::Ok) {
            Report(reply.status, reply.detail);
            RetryLater();
            return;
        }
        if (reply.body == EncodePointer(outbox_->pointer)) {  // an earlier attempt went through
            Sent();
            return;
        }
        if (reply.body == outbox_->base && ++outbox_->weakTagTries <= kWeakTagTries) {
            tag_ = reply.tag;
            seen_ = reply.body;
            QTimer::singleShot(options_.weakTagWaitMs, this, &TurnExchange::SendPointer);
            return;
        }
        const std::optional<TurnPointer> theirs = DecodePointer(reply.body);
        Refuse(theirs ? &*theirs : nullptr);
    });
}

void TurnExchange::Sent() {
    sendingNow_ = false;
    const Outgoing sent = *outbox_;
    outbox_.reset();
    seen_ = EncodePointer(sent.pointer);
    tag_.clear();  // the next read learns it
    latest_ = sent.pointer;
    WriteFileAtomically(sent.file, LatestFile());
    WriteFileAtomically(seen_, Own(QLatin1String(kSeenFile)));
    for (const char* name : {kOutboxFile, kOutboxPointer, kOutboxBase}) QFile::remove(Own(QLatin1String(name)));
    Succeeded();
    emit turnSent(sent.pointer);
}

// Another player's turn won. This one stays on this machine (the window's
// autosave has it too) under a name of its own, and their turn is fetched.
void TurnExchange::Refuse(const TurnPointer* theirs) {
    sendingNow_ = false;
    const TurnPointer mine = outbox_->pointer;
    outbox_.reset();
    const QString kept = Own(QStringLiteral("refused-") + mine.fileName());
    QFile::remove(kept);
    QFile::rename(Own(QLatin1String(kOutboxFile)), kept);
    for (const char* name : {kOutboxPointer, kOutboxBase}) QFile::remove(Own(QLatin1String(name)));
    const QString there = theirs ? QStringLiteral("в «%1» уже %2").arg(place_.Shown(), Describe(*theirs))
                                 : QStringLiteral("в «%1» уже есть файл «%2»").arg(place_.Shown(), mine.fileName());
    emit turnRefused(QStringLiteral("Ход уже сделал другой игрок: %1. Ваш ход (%2) не отправлен; он сохранен на этом "
                                    "компьютере в «%3».")
                         .arg(there, Describe(mine), QDir::toNativeSeparators(kept)));
    CheckNow();
}

void TurnExchange::RetryLater() {
    sendingNow_ = false;
    backoffMs_ = backoffMs_ == 0 ? options_.firstRetryMs : std::min(2 * backoffMs_, options_.maxBackoffMs);
    retry_.start(backoffMs_);
}

// --- Watching ---------------------------------------------------------------------

// While a turn of this machine waits to be sent, the send reads the place itself.
void TurnExchange::Poll() {
    if (polling_ || outbox_) return;
    polling_ = true;
    backend_->Read(QLatin1String(kPointerName), tag_, [this](const Reply& reply) { ReadPointerDone(reply); });
}

void TurnExchange::ReadPointerDone(const Reply& reply) {
    polling_ = false;
    if (reply.status == Status::NotModified || reply.status == Status::Missing) {
        Succeeded();
        return;
    }
    if (reply.status != Status::Ok) {
        Report(reply.status, reply.detail);
        poll_.setInterval(std::min(2 * poll_.interval(), std::max(options_.maxBackoffMs, options_.pollMs)));
        return;
    }
    if (reply.body == seen_ || reply.body == refused_) {
        tag_ = reply.tag;
        Succeeded();
        return;
    }
    const std::optional<TurnPointer> pointer = DecodePointer(reply.body);
    if (!pointer) {
        ReportOnce(Fault::Partial,
                   QStringLiteral("Файл «%1» в «%2» записан не полностью; игра подождет и проверит снова.")
                       .arg(QLatin1String(kPointerName), place_.Shown()));
        return;
    }
    polling_ = true;
    FetchTurn(reply.body, *pointer, reply.tag);
}

// The tag is kept only once the turn is taken, so a file still being synced
// is read again at the next poll.
void TurnExchange::FetchTurn(const QByteArray& pointerBytes, const TurnPointer& pointer, const QString& tag) {
    backend_->Read(pointer.fileName(), QString(), [this, pointerBytes, pointer, tag](const Reply& reply) {
        polling_ = false;
        if (reply.status == Status::Missing || (reply.status == Status::Ok && !MatchesPointer(reply.body, pointer))) {
            ReportOnce(Fault::Partial,
                       QStringLiteral("Файл хода «%1» в «%2» еще не записан полностью; игра подождет и проверит снова.")
                           .arg(pointer.fileName(), place_.Shown()));
            return;
        }
        if (reply.status != Status::Ok) {
            Report(reply.status, reply.detail);
            return;
        }
        const Acceptance check = CheckReceivedTurn(reply.body, pointer);
        if (!check.accepted) {
            refused_ = pointerBytes;
            tag_ = tag;
            ReportOnce(Fault::Refused, QStringLiteral("Ход из «%1» не принят. %2").arg(place_.Shown(), check.reason));
            return;
        }
        Accept(reply.body, pointerBytes, pointer, tag);
    });
}

void TurnExchange::Accept(const QByteArray& file, const QByteArray& pointerBytes, const TurnPointer& pointer,
                          const QString& tag) {
    const SavedGameFile kept = WriteFileAtomically(file, LatestFile());
    if (!kept) {
        Report(Status::LocalError, kept.cause);
        return;
    }
    WriteFileAtomically(pointerBytes, Own(QLatin1String(kSeenFile)));
    seen_ = pointerBytes;
    tag_ = tag;
    latest_ = pointer;
    Succeeded();
    emit turnReceived(pointer, LatestFile());
}

// --- Faults -------------------------------------------------------------------------

void TurnExchange::Report(Status status, const QString& detail) {
    const QString place = place_.Shown();
    QString what;
    switch (status) {
        case Status::Unauthorized:
            what = QStringLiteral("Сервер «%1» не принял имя пользователя или пароль (401).").arg(place);
            break;
        case Status::Forbidden: what = QStringLiteral("Сервер «%1» не дает доступа (403).").arg(place); break;
        case Status::QuotaFull: what = QStringLiteral("В «%1» закончилось место (%2).").arg(place, detail); break;
        case Status::Tls:
            what = QStringLiteral("Не удалось установить защищенное соединение с «%1»: %2.").arg(place, detail);
            break;
        case Status::LocalError: what = QStringLiteral("Нет доступа к «%1»: %2.").arg(place, detail); break;
        case Status::ServerError: what = QStringLiteral("Ошибка сервера «%1»: %2.").arg(place, detail); break;
        default: what = QStringLiteral("Нет связи с «%1»: %2.").arg(place, detail); break;
    }
    what += outbox_ ? QStringLiteral(" Ход сохранен на этом компьютере и будет отправлен, как только это удастся.")
                    : QStringLiteral(" Игра будет проверять снова.");
    if (reported_ == Fault::Other && reportedStatus_ == status) return;
    reportedStatus_ = status;
    ReportOnce(Fault::Other, what);
}

void TurnExchange::ReportOnce(Fault fault, const QString& message) {
    if (reported_ == fault && fault != Fault::Other) return;
    reported_ = fault;
    emit problem(message);
}

void TurnExchange::Succeeded() {
    reported_ = Fault::None;
    reportedStatus_ = Status::Ok;
    backoffMs_ = 0;
    if (poll_.interval() != options_.pollMs) poll_.setInterval(options_.pollMs);
}

}  // namespace tarq::net
