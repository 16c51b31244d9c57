// The command line: tarq [FILE], --help, --version, and --prepare-graphics,
// which builds the graphics cache without a window (a check of an
// installation, or the cache made ahead of the first game).
#pragma once

#include <QString>
#include <filesystem>

class QCoreApplication;

namespace tarq {

// What the arguments ask for, decided before any application object exists:
// the window needs a display; --help, --version and a second file only
// print, and --prepare-graphics only writes pictures, so they run without one.
enum class LaunchKind { Window, Console, Offscreen };
LaunchKind KindOfLaunch(int argc, const char* const* argv);

struct CommandLine {
    QString file;  // the saved game to open; empty for none
    bool prepareGraphics = false;
};

// Parses the arguments of `app`. --help and --version print and exit, an
// unknown option or a second file prints the error and exits with 1, as
// QCommandLineParser does.
CommandLine ParseCommandLine(const QCoreApplication& app);

// Builds (or finds complete) the graphics cache for the sheets under
// `gameFolder`, prints the folder it is in and returns 0; prints the error
// and returns 1 when it cannot. Needs the application object.
int PrepareGraphicsCommand(const std::filesystem::path& gameFolder);

}  // namespace tarq
