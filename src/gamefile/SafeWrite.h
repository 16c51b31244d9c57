// Writing a file so that a failure at any point leaves the earlier file of
// that name as it was. The bytes go to a new file beside it; every write, the
// flush to the device and the close are checked (a buffered writer that
// reports its last error late, or not at all, would let a truncated file take
// the name); the file is read back and compared; only then does it take its
// name, by a rename, which replaces the earlier file at once. Causes of
// failure come from the system's error numbers and are told in Russian.
#pragma once

#include <QByteArray>
#include <QString>

namespace tarq::gamefile {

enum class WriteFailure {
    None,
    NoSpace,          // the device or the user's quota is full
    NoPermission,     // the folder or the file may not be written
    ReadOnly,         // the device is mounted read-only
    IsFolder,         // the name is a folder's
    NameTooLong,      // the name is longer than the system takes
    NoFolder,         // the folder does not exist
    PathThroughFile,  // a part of the path is a file, not a folder
    ReadBack,         // the file read back differs from what was written
    Other,            // any other error of the system
    // Decided before anything is written, by the game-file writer:
    NoMap,       // the game has no map yet: nothing to save
    Unreadable,  // the game would be written into a file the reader refuses
};

// What the failure is, in the player's words; `folder` names the folder for
// the failures that concern it.
QString WriteFailureText(WriteFailure failure, const QString& folder);

// The failure for a system error number (errno).
WriteFailure FailureOfError(int error);

// A file written and checked under a temporary name in its folder, waiting
// to take its name. It is removed when destroyed unless it took a name.
class StagedFile {
public:
    // Writes `bytes` into a new file of `folder`, made with the permission
    // bits `mode` (less the umask's); see failure().
    StagedFile(const QByteArray& bytes, const QString& folder, unsigned mode = 0666);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // None when the file was written, flushed and read back as written.
    WriteFailure failure() const { return failure_; }

    // The file takes the name `path` (in the same folder), replacing a file
    // of that name at once; the folder's entry is flushed too.
    WriteFailure MoveTo(const QString& path);

private:
    WriteFailure Write(const QByteArray& bytes, unsigned mode);
    WriteFailure ReadBack(const QByteArray& bytes) const;

    QByteArray folder_;
    QByteArray temporary_;  // empty once it took its name or when none was made
    WriteFailure failure_ = WriteFailure::None;
};

// Creates `folder` and the folders above it that are missing.
WriteFailure MakeFolder(const QString& folder);

}  // namespace tarq::gamefile
