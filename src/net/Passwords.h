// Passwords of WebDAV places, kept in the desktop's keyring (QtKeychain:
// the Secret Service, KWallet) under the place's address and user, never in
// a file of the game. Where no keyring answers (a bare session, CI) the
// player is told once and the passwords are kept for this session only.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

namespace tarq::net {

class Passwords : public QObject {
    Q_OBJECT
public:
    // `useKeyring` false keeps every password for the session only, without a word.
    explicit Passwords(bool useKeyring = true, QObject* parent = nullptr);

    // The password kept for `key` (GamePlace::PasswordKey), or an empty one.
    void Read(const QString& key, std::function<void(const QString& password)> done);
    // Keeps `password` for `key`, in the keyring when there is one.
    void Write(const QString& key, const QString& password);

signals:
    // Once, when the keyring cannot be used.
    void keyringUnavailable(const QString& message);

private:
    void KeyringFailed(const QString& why);

    bool useKeyring_;
    bool told_ = false;
    QHash<QString, QString> session_;
};

}  // namespace tarq::net
