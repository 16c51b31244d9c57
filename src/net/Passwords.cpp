#include "net/Passwords.h"

#include <qt6keychain/keychain.h>

namespace tarq::net {

namespace {
constexpr char kService[] = "tarq";
}

Passwords::Passwords(bool useKeyring, QObject* parent) : QObject(parent), useKeyring_(useKeyring) {}

void Passwords::KeyringFailed(const QString& why) {
    useKeyring_ = false;
    if (told_) return;
    told_ = true;
    emit keyringUnavailable(
        QStringLiteral("Хранилище паролей рабочего стола недоступно (%1). Пароли сетевых игр будут помниться только "
                       "до закрытия игры.")
            .arg(why));
}

void Passwords::Read(const QString& key, std::function<void(const QString&)> done) {
    if (!useKeyring_ || session_.contains(key)) {
        const QString password = session_.value(key);
        QMetaObject::invokeMethod(
            this, [done, password] { done(password); }, Qt::QueuedConnection);
        return;
    }
    auto* job = new QKeychain::ReadPasswordJob(QLatin1String(kService), this);
    job->setKey(key);
    connect(job, &QKeychain::Job::finished, this, [this, job, key, done](QKeychain::Job*) {
        const QKeychain::Error error = job->error();
        if (error != QKeychain::NoError && error != QKeychain::EntryNotFound) KeyringFailed(job->errorString());
        const QString password = error == QKeychain::NoError ? job->textData() : session_.value(key);
        if (error == QKeychain::NoError) session_.insert(key, password);
        done(password);
    });
    job->start();
}

void Passwords::Write(const QString& key, const QString& password) {
    session_.insert(key, password);
    if (!useKeyring_) return;
    auto* job = new QKeychain::WritePasswordJob(QLatin1String(kService), this);
    job->setKey(key);
    job->setTextData(password);
    connect(job, &QKeychain::Job::finished, this, [this, job](QKeychain::Job*) {
        if (job->error() != QKeychain::NoError) KeyringFailed(job->errorString());
    });
    job->start();
}

}  // namespace tarq::net
