#include "platform/GameFolders.h"

#include <QCoreApplication>
#include <system_error>

#include "core/Paths.h"

namespace tarq {
namespace fs = std::filesystem;

namespace {

bool HasSheets(const fs::path& folder) { return GameFileExists("graph\\Terrain0.bmp", folder); }

}  // namespace

fs::path InstalledDataDir() {
    if (!QCoreApplication::instance()) return {};
    const fs::path bin(QCoreApplication::applicationDirPath().toStdString());
    return (bin / TARQ_DATA_FROM_BINDIR).lexically_normal();
}

fs::path FindGameFolder(const fs::path& workDir) {
    if (HasSheets(workDir)) return workDir;
    const fs::path installed = InstalledDataDir();
    if (!installed.empty() && HasSheets(installed)) return installed;
    return workDir;
}

fs::path FindSoundFolder(const fs::path& workDir) {
    std::error_code ec;
    if (fs::is_directory(workDir / "sounds", ec)) return workDir / "sounds";
    const fs::path installed = InstalledDataDir();
    if (!installed.empty() && fs::is_directory(installed / "sounds", ec)) return installed / "sounds";
    return workDir / "sounds";
}

bool IsInstalledDataDir(const fs::path& folder) {
    const fs::path installed = InstalledDataDir();
    std::error_code ec;
    return !installed.empty() && fs::equivalent(folder, installed, ec);
}

}  // namespace tarq
