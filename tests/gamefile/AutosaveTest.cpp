// Autosaves: the newest three kept in order, and writes that fail on a full
// device or a read-only folder: the earlier files stay as they were and the
// failure is reported once until a write succeeds again. The failing devices
// are real: a small tmpfs mounted in a mount namespace of a child process.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <functional>
#include <map>

#include "gamefile/Autosave.h"
#include "gamefile/GameFile.h"
#include "gamefile/GamePlay.h"

namespace tarq::testing {
namespace {

// Every file of the folder with its bytes.
std::map<QString, QByteArray> FolderFiles(const QString& folder) {
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::ReadOnly)) files[name] = file.readAll();
    }
    return files;
}

bool WriteText(const char* path, const std::string& text) {
    return static_cast<bool>(std::ofstream(path) << text);
}

// A mount namespace of our own: directly when privileged, else inside a user
// namespace that maps us to its root.
bool EnterPrivateMounts() {
    if (unshare(CLONE_NEWNS) != 0) {
        const std::string uid = std::to_string(getuid()), gid = std::to_string(getgid());
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 || !WriteText("/proc/self/setgroups", "deny") ||
            !WriteText("/proc/self/uid_map", "0 " + uid + " 1") || !WriteText("/proc/self/gid_map", "0 " + gid + " 1"))
            return false;
    }
    return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// Runs `body` in a child process with private mounts; its result ("" for
// success, else what went wrong), or "skip" when the system has no such namespaces.
std::string InPrivateMounts(const std::function<std::string()>& body) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const std::string result = EnterPrivateMounts() ? body() : "skip";
        if (write(pipeEnds[1], result.data(), result.size()) < 0) _exit(2);
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string result;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "the child failed";
}

int TurnIn(const QString& path) {
    const LoadedGame loaded = LoadGameFile(path);
    return loaded ? loaded.game->Turn : -1;
}

TEST(AutosaveTest, KeepsTheNewestThreeInOrder) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("saves/tarq");  // created on the first write
    Autosave saves(folder);
    std::unique_ptr<Game> game = LaunchedGame(50);
    for (int turn = 1; turn <= 4; ++turn) {
        const Autosave::Result result = saves.Write(*game);
        EXPECT_TRUE(result.written && result.message.isEmpty()) << result.message.toStdString();
        EndTurn(*game);
    }
    EXPECT_FALSE(Autosave(folder).Write(*NewGame()).written) << "a game without a map";
    EXPECT_NE(SaveGameFile(*NewGame(), dir.filePath("x.tarq")).message.indexOf("нет карты"), -1);
    const std::map<QString, QByteArray> files = FolderFiles(folder);
    ASSERT_EQ(files.size(), 3u) << "nothing but the three autosaves";
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(TurnIn(QDir(folder).filePath(AutosaveFileName(n))), 5 - n) << n;

    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    EXPECT_EQ(SavesFolder(), dir.path() + "/tarq/saves");
}

TEST(AutosaveTest, AFailedWriteKeepsTheEarlierFilesAndIsReportedOnce) {
    QTemporaryDir dir;
    const QString folder = dir.path();
    std::unique_ptr<Game> small = LaunchedGame(50), large = LaunchedGame(500);
    const std::string outcome = InPrivateMounts([&]() -> std::string {
        const QByteArray path = QFile::encodeName(folder);
        if (mount("tarq-test", path.constData(), "tmpfs", 0, "size=64k") != 0) return "no tmpfs";
        Autosave saves(folder);
        for (int turn = 0; turn < 3; ++turn, EndTurn(*small))
            if (!saves.Write(*small).written) return "a small game did not fit";
        const auto before = FolderFiles(folder);
        const Autosave::Result full = saves.Write(*large);
        if (full.written || !full.message.contains("на диске не хватает места"))
            return "full device: " + full.message.toStdString();
        if (!saves.Write(*large).message.isEmpty()) return "reported twice";
        if (FolderFiles(folder) != before) return "the full device changed the earlier files";

        if (!saves.Write(*small).written) return "no write once there was room";
        const auto written = FolderFiles(folder);
        if (mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_RDONLY, "size=64k") != 0) return "no remount";
        const Autosave::Result readOnly = saves.Write(*small);
        if (readOnly.written || !readOnly.message.contains("закрыта для записи"))
            return "read-only folder: " + readOnly.message.toStdString();
        if (FolderFiles(folder) != written) return "the read-only folder changed";
        return "";
    });
    if (outcome == "skip") GTEST_SKIP() << "no mount namespaces here";
    EXPECT_EQ(outcome, "");
}

}  // namespace
}  // namespace tarq::testing
