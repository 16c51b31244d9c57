// Saves and autosaves: the newest three of each game kept in order, none for
// a game where no one has landed, and writes that fail (a full device, a
// read-only one, a bad path): the earlier files stay as they were, the cause
// is told in the player's words, an autosave's failure once until a write
// succeeds again. The failing devices are real: a small tmpfs mounted in a
// mount namespace of a child process.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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

bool WriteText(const char* path, const std::string& text) { return static_cast<bool>(std::ofstream(path) << text); }

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

// A game of `side` cells a side whose base has landed.
std::unique_ptr<Game> LandedGame(int side, std::uint32_t seed = 7) {
    std::unique_ptr<Game> game = LaunchedGame(side, seed);
    Stages()[1].act(*game);
    return game;
}

// Text outside the «» quotes has no Latin letters: names of fields or the
// system's English texts would have them.
bool RussianOutsideQuotes(const QString& text) {
    return !QString(text)
                .remove(QRegularExpression(QStringLiteral("«[^»]*»")))
                .contains(QRegularExpression("[A-Za-z]"));
}

TEST(AutosaveTest, KeepsEachGamesNewestThreeInOrder) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("saves/tarq");  // created on the first write
    Autosave saves(folder);
    std::unique_ptr<Game> game = LaunchedGame(50), other = LandedGame(50, 8);
    game->GameId = 0xA1, other->GameId = 0xB2;
    EXPECT_FALSE(saves.Write(*game).written) << "no one has landed";
    EXPECT_FALSE(QFileInfo::exists(folder));
    Stages()[1].act(*game);
    const auto name = [&](std::uint64_t id, int n) { return QDir(folder).filePath(AutosaveFileName(id, n)); };
    for (int turn = 1; turn <= 4; ++turn) {
        const Autosave::Result result = saves.Write(*game);
        EXPECT_TRUE(result.written && result.message.isEmpty()) << result.message.toStdString();
        EXPECT_EQ(result.path, name(0xA1, 1));
        EndTurn(*game);
    }
    EXPECT_TRUE(saves.Write(*other).written);
    EXPECT_FALSE(Autosave(folder).Write(*NewGame()).written) << "a game without a map";
    EXPECT_NE(SaveGameFile(*NewGame(), dir.filePath("x.tarq")).message.indexOf("нет карты"), -1);
    const std::map<QString, QByteArray> files = FolderFiles(folder);
    ASSERT_EQ(files.size(), 4u) << "three autosaves of one game and one of the other, nothing else";
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(TurnIn(name(0xA1, n)), 5 - n) << n;
    EXPECT_EQ(TurnIn(name(0xB2, 1)), 1);
    EXPECT_EQ(AutosaveFileName(0xA1, 2), "autosave-00000000000000a1-2.tarq");

    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    EXPECT_EQ(SavesFolder(), dir.path() + "/tarq/saves");
}

// Fills the device of `folder` with a file, leaving about `room` bytes free.
bool FillDevice(const QString& folder, qint64 room) {
    struct statvfs device {};
    if (statvfs(QFile::encodeName(folder).constData(), &device) != 0) return false;
    const qint64 free = static_cast<qint64>(device.f_bavail * device.f_bsize);
    QFile filler(folder + "/filler");
    return free > room && filler.open(QIODevice::WriteOnly) &&
           filler.write(QByteArray(free - room, 'f')) == free - room && filler.flush();
}

// A save over an earlier file and an autosave, on a device with room for half
// of the new file; the earlier files stay as they were and the player is told.
TEST(AutosaveTest, AFailedWriteKeepsTheEarlierFilesAndIsReportedOnce) {
    QTemporaryDir dir;
    const QString folder = dir.path(), mine = dir.filePath("mine.tarq");
    std::unique_ptr<Game> game = LandedGame(50);
    const std::string outcome = InPrivateMounts([&]() -> std::string {
        const QByteArray path = QFile::encodeName(folder);
        if (mount("tarq-test", path.constData(), "tmpfs", 0, "size=96k") != 0) return "no tmpfs";
        Autosave saves(folder);
        for (int turn = 0; turn < 3; ++turn, EndTurn(*game))
            if (!saves.Write(*game).written) return "a small game did not fit";
        if (!SaveGameFile(*game, mine)) return "no room for the first save";
        if (!FillDevice(folder, WriteGameFile(*game).size() / 2)) return "the device could not be filled";
        const auto before = FolderFiles(folder);
        const SavedGameFile saved = SaveGameFile(*game, mine);
        if (saved || saved.failure != gamefile::WriteFailure::NoSpace || !saved.message.contains("нет места на диске"))
            return "a save on the full device: " + saved.message.toStdString();
        const Autosave::Result full = saves.Write(*game);
        if (full.written || !full.message.contains("нет места на диске"))
            return "an autosave on the full device: " + full.message.toStdString();
        if (!saves.Write(*game).message.isEmpty()) return "reported twice";
        if (FolderFiles(folder) != before) return "the full device changed the earlier files";

        QFile::remove(folder + "/filler");
        if (!saves.Write(*game).written) return "no write once there was room";
        const auto written = FolderFiles(folder);
        if (mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_RDONLY, "size=96k") != 0) return "no remount";
        const Autosave::Result readOnly = saves.Write(*game);
        if (readOnly.written || !readOnly.message.contains("только для чтения"))
            return "read-only device: " + readOnly.message.toStdString();
        if (FolderFiles(folder) != written) return "the read-only device changed";
        return "";
    });
    if (outcome == "skip") GTEST_SKIP() << "no mount namespaces here";
    EXPECT_EQ(outcome, "");
}

// Each cause in the player's words, told apart; the earlier file is kept and
// nothing is left behind. A game the reader would refuse is not written.
TEST(AutosaveTest, AFailedSaveSaysItsCauseAndKeepsTheEarlierFile) {
    using F = gamefile::WriteFailure;
    QTemporaryDir dir;
    const std::unique_ptr<Game> game = LandedGame(50);
    const QString earlier = dir.filePath("earlier.tarq");
    ASSERT_TRUE(SaveGameFile(*game, earlier));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.tarq"));
    const struct {
        QString path;
        F failure;
        const char* says;
    } cases[] = {
        {dir.filePath("folder.tarq"), F::IsFolder, "это папка, а не файл"},
        {dir.filePath(QString(300, 'x') + ".tarq"), F::NameTooLong, "слишком длинное имя файла"},
        {dir.filePath("none/x.tarq"), F::NoFolder, "папки нет"},
        {earlier + "/x.tarq", F::PathThroughFile, "путь проходит через файл"},
    };
    const auto before = FolderFiles(dir.path());
    for (const auto& c : cases) {
        const SavedGameFile saved = SaveGameFile(*game, c.path);
        EXPECT_EQ(saved.failure, c.failure) << c.says;
        EXPECT_TRUE(saved.message.startsWith("Не удалось сохранить игру") && saved.message.contains(c.says))
            << saved.message.toStdString();
        EXPECT_TRUE(RussianOutsideQuotes(saved.cause)) << saved.cause.toStdString();
    }
    auto broken = NewGame();
    *broken = *game;
    broken->Turn = 0;
    const SavedGameFile refused = SaveGameFile(*broken, earlier);
    EXPECT_EQ(refused.failure, F::Unreadable);
    EXPECT_TRUE(refused.message.contains("неверный номер хода (0)")) << refused.message.toStdString();
    EXPECT_EQ(FolderFiles(dir.path()), before);
}

}  // namespace
}  // namespace tarq::testing
