#include "net/DavServer.h"

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace tarq::testing {

namespace {

constexpr char kApache[] = "/usr/sbin/apache2";
constexpr char kModules[] = "/usr/lib/apache2/modules";

int FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Root hands the served folders to nobody:nogroup, the account Apache serves as.
void GiveToServer(const QString& path) {
    if (geteuid() != 0) return;
    const passwd* user = getpwnam("nobody");
    const group* grp = getgrnam("nogroup");
    if (user && grp) (void)chown(QFile::encodeName(path).constData(), user->pw_uid, grp->gr_gid);
}

}  // namespace

DavServer::DavServer() { port_ = FreePort(); }

DavServer::~DavServer() { Stop(); }

QUrl DavServer::Url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path));
}

QString DavServer::Folder() const { return dir_.filePath(QStringLiteral("dav")); }

bool DavServer::WriteConfig() {
    // The server's account must reach its folders through the temporary one.
    QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                           QFileDevice::ReadOther | QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                           QFileDevice::ExeGroup);
    for (const char* sub : {"dav", "run"}) {
        QDir(dir_.path()).mkpath(QLatin1String(sub));
        GiveToServer(dir_.filePath(QLatin1String(sub)));
    }
    QProcess htpasswd;
    htpasswd.start(QStringLiteral("htpasswd"), {QStringLiteral("-bc"), dir_.filePath(QStringLiteral("users")),
                                                QLatin1String(kUser), QString::fromUtf8(kPassword)});
    if (!htpasswd.waitForFinished() || htpasswd.exitCode() != 0) {
        error_ = QStringLiteral("htpasswd failed: ") + htpasswd.errorString();
        return false;
    }
    QString modules;
    for (const char* m :
         {"mpm_event", "authn_core", "authn_file", "authz_core", "authz_user", "auth_basic", "dav", "dav_fs", "alias"})
        modules += QStringLiteral("LoadModule %1_module %2/mod_%1.so\n").arg(QLatin1String(m), QLatin1String(kModules));
    const bool root = geteuid() == 0;
    const QString config =
        QStringLiteral(
            "ServerRoot \"%1\"\nServerName localhost\nListen 127.0.0.1:%2\nPidFile %1/run/httpd.pid\n"
            "ErrorLog %1/error.log\nLogLevel warn\n%3%4"
            "LogFormat \"%r %>s %I\" bytes\nCustomLog %1/access.log bytes\n"
            "DavLockDB %1/run/davlock\nDocumentRoot \"%1/dav\"\nAlias /dav \"%1/dav\"\n"
            "RedirectMatch 507 ^/full\n"
            "<Directory \"%1/dav\">\n  Dav On\n  AuthType Basic\n  AuthName tarq\n  AuthUserFile %1/users\n"
            "  Require valid-user\n</Directory>\n")
            .arg(dir_.path())
            .arg(port_)
            .arg(root ? QStringLiteral("User nobody\nGroup nogroup\n") : QString(), modules);
    QFile file(dir_.filePath(QStringLiteral("httpd.conf")));
    return file.open(QIODevice::WriteOnly) && file.write(config.toUtf8()) > 0;
}

bool DavServer::Start() {
    if (!QFile::exists(QLatin1String(kApache))) {
        error_ = QStringLiteral("apache2 is not installed (scripts/setup.sh installs it)");
        return false;
    }
    if (!dir_.isValid() || !WriteConfig()) return false;
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QLatin1String(kApache),
                   {QStringLiteral("-f"), dir_.filePath(QStringLiteral("httpd.conf")), QStringLiteral("-X")});
    if (!process_.waitForStarted() || !WaitUntilServing()) {
        QFile log(dir_.filePath(QStringLiteral("error.log")));
        log.open(QIODevice::ReadOnly);
        error_ = QStringLiteral("apache2 did not start: ") + QString::fromUtf8(log.readAll());
        Kill();
        return false;
    }
    return true;
}

bool DavServer::WaitUntilServing() {
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && process_.state() == QProcess::Running) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port_));
        if (socket.waitForConnected(200)) return true;
        QThread::msleep(50);
    }
    return false;
}

void DavServer::Freeze() {
    if (process_.state() == QProcess::Running) ::kill(static_cast<pid_t>(process_.processId()), SIGSTOP);
}

void DavServer::Kill() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();  // SIGKILL ends a frozen process too
    process_.waitForFinished();
}

void DavServer::Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) Kill();
}

qint64 DavServer::BytesReceived() const {
    QFile log(dir_.filePath(QStringLiteral("access.log")));
    if (!log.open(QIODevice::ReadOnly)) return 0;
    qint64 total = 0;
    for (const QByteArray& line : log.readAll().split('\n'))
        if (!line.isEmpty()) total += line.mid(line.lastIndexOf(' ') + 1).toLongLong();
    return total;
}

}  // namespace tarq::testing
