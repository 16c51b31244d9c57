// A real WebDAV server for the network tests: Debian's Apache with mod_dav on
// a free port of 127.0.0.1, with a configuration of its own in a temporary
// folder, basic authentication from a user file made by htpasswd, started in
// one process (-X) so that killing it cuts every connection at once. Run as
// root (CI) it serves as nobody:nogroup, which own its folders.
#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

namespace tarq::testing {

class DavServer {
public:
    static constexpr char kUser[] = "anna";
    static constexpr char kPassword[] = "s3cret-пароль";

    DavServer();
    ~DavServer();

    // Starts the server; false with error() when it cannot (no apache2).
    bool Start();
    // Ends it at once, as a crash or a pulled cable does.
    void Kill();
    // Freezes it: connections are accepted by the system but never served.
    void Freeze();
    // Stops it cleanly.
    void Stop();

    // http://127.0.0.1:<port>/dav: the shared folder. Under /full every
    // request is answered 507, as a server whose quota is used up.
    QUrl Url(const QString& path = QStringLiteral("/dav")) const;
    // The served folder on disk.
    QString Folder() const;
    // Bytes the server received (request lines, headers and bodies), from its access log.
    qint64 BytesReceived() const;
    const QString& error() const { return error_; }

private:
    bool WriteConfig();
    bool WaitUntilServing();

    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
    QString error_;
};

}  // namespace tarq::testing
