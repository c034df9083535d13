// The few operating-system calls under the catalogue file. Paths are UTF-8
// texts with backslash separators.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace MyApp {

// GetLastError's value under Windows, errno elsewhere; 0 means no error.
using SystemError = std::uint32_t;

// The system's own words for the error, for the messages the user reads.
std::string SystemErrorText(SystemError error);
// Another program holds the file or locks part of it: a moment later the
// same call may succeed.
bool IsSharingError(SystemError error);
void PauseMilliseconds(std::uint32_t milliseconds);
// The error of a path that names nothing: ERROR_PATH_NOT_FOUND, ENOENT.
SystemError PathNotFoundError();

// The per-user local application-data folder without a trailing separator;
// empty when the system does not supply one.
std::string LocalAppDataFolder();

enum class PathKind {
    Missing,
    File,
    Folder,
    Unknown  // the system cannot tell (access denied, say)
};

struct PathStatus {
    PathKind kind = PathKind::Unknown;
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;  // the system's last-write time, in its own units
};

// What the system tells of a path without opening it.
PathStatus StatusOf(const std::string& path);
// True for a file and a folder alike.
bool PathExists(const std::string& path);
// Makes one folder level with default security.
bool MakeDirectory(const std::string& path, SystemError& error);
bool RemoveFile(const std::string& path, SystemError& error);
// Puts the file source in the place of target in one step, replacing it.
bool MoveFileOver(const std::string& source, const std::string& target, SystemError& error);
bool CopyFileOver(const std::string& source, const std::string& target, SystemError& error);
// Fails when the target exists, so that no file is ever replaced by it.
bool CopyFileNew(const std::string& source, const std::string& target, SystemError& error);

// The whole file, read while other programs may read and write it too.
bool ReadWholeFile(const std::string& path, std::string& bytes, SystemError& error);

// Reads straight into `bytes` until `readSome(buffer, room)` gives 0, or -1 for
// a failure: sized for the `expected` bytes and one more, so that a file read
// whole is copied once and one that grew meanwhile still comes whole.
template <typename ReadSome>
bool ReadToEnd(std::string& bytes, std::size_t expected, ReadSome readSome) {
    bytes.resize(expected + 1);
    std::size_t filled = 0;
    bool complete = true;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(2 * bytes.size());
        const std::int64_t count = readSome(&bytes[filled], bytes.size() - filled);
        if (count <= 0) {
            complete = count == 0;
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    bytes.resize(filled);
    return complete;
}

// A file written from the start: created, or truncated when it exists.
// Every step reports its failure in `error`; the destructor closes an open file.
class FileWriter {
public:
    FileWriter() = default;
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    bool Open(const std::string& path);
    bool Write(const char* bytes, std::size_t count);
    // Pushes what the system holds of the file through to the disk.
    bool Flush();
    bool Close();

    SystemError error = 0;

private:
    std::intptr_t handle = -1;
};

}  // namespace MyApp
