// Used only by the native tests: the local application-data folder is the
// environment variable LOCALAPPDATA, so tests never touch a real user folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "file_system.h"
#include "text.h"

namespace MyApp {

namespace {

std::string Native(const std::string& path) { return Common::ReplaceChar(path, '\\', '/'); }

bool Failed(SystemError& error) {
    error = static_cast<SystemError>(errno);
    return false;
}

}  // namespace

std::string SystemErrorText(SystemError error) {
    return std::string(std::strerror(static_cast<int>(error))) + " (codice " +
           Common::FormatInt64(error) + ")";
}

bool IsSharingError(SystemError) { return false; }

void PauseMilliseconds(std::uint32_t milliseconds) { usleep(milliseconds * 1000); }

SystemError PathNotFoundError() { return ENOENT; }

std::string LocalAppDataFolder() {
    const char* folder = std::getenv("LOCALAPPDATA");
    return folder == nullptr ? std::string() : std::string(folder);
}

PathStatus StatusOf(const std::string& path) {
    PathStatus status;
    struct stat data;
    if (stat(Native(path).c_str(), &data) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) status.kind = PathKind::Missing;
        return status;
    }
    status.kind = S_ISDIR(data.st_mode) ? PathKind::Folder : PathKind::File;
    status.size = static_cast<std::uint64_t>(data.st_size);
    status.writeTime = static_cast<std::uint64_t>(data.st_mtim.tv_sec) * 1000000000u +
                       static_cast<std::uint64_t>(data.st_mtim.tv_nsec);
    return status;
}

bool PathExists(const std::string& path) {
    struct stat status;
    return stat(Native(path).c_str(), &status) == 0;
}

bool MakeDirectory(const std::string& path, SystemError& error) {
    return mkdir(Native(path).c_str(), 0777) == 0 || Failed(error);
}

bool RemoveFile(const std::string& path, SystemError& error) {
    return unlink(Native(path).c_str()) == 0 || Failed(error);
}

bool MoveFileOver(const std::string& source, const std::string& target, SystemError& error) {
    return std::rename(Native(source).c_str(), Native(target).c_str()) == 0 || Failed(error);
}

bool CopyFileOver(const std::string& source, const std::string& target, SystemError& error) {
    std::string bytes;
    if (!ReadWholeFile(source, bytes, error)) {
        return false;
    }
    FileWriter copy;
    if (copy.Open(target) && copy.Write(bytes.data(), bytes.size()) && copy.Close()) {
        return true;
    }
    error = copy.error;
    return false;
}

// Only the tests use this side, with no other program writing beside them, so
// a look before the copy is enough.
bool CopyFileNew(const std::string& source, const std::string& target, SystemError& error) {
    if (PathExists(target)) {
        error = EEXIST;
        return false;
    }
    return CopyFileOver(source, target, error);
}

bool ReadWholeFile(const std::string& path, std::string& bytes, SystemError& error) {
    bytes.clear();
    int file = open(Native(path).c_str(), O_RDONLY);
    if (file < 0) {
        return Failed(error);
    }
    struct stat status {};
    const std::size_t expected = fstat(file, &status) == 0 && status.st_size > 0
                                     ? static_cast<std::size_t>(status.st_size)
                                     : 0;
    bool complete = ReadToEnd(bytes, expected, [file, &error](char* buffer, std::size_t room) {
        const ssize_t count = read(file, buffer, room);
        if (count < 0) Failed(error);
        return static_cast<std::int64_t>(count);
    });
    close(file);
    return complete;
}

FileWriter::~FileWriter() {
    if (handle != -1) close(static_cast<int>(handle));
}

bool FileWriter::Open(const std::string& path) {
    int file = open(Native(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (file < 0) {
        return Failed(error);
    }
    handle = file;
    return true;
}

bool FileWriter::Write(const char* bytes, std::size_t count) {
    while (count > 0) {
        ssize_t written = write(static_cast<int>(handle), bytes, count);
        if (written < 0) {
            return Failed(error);
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

bool FileWriter::Flush() { return fsync(static_cast<int>(handle)) == 0 || Failed(error); }

bool FileWriter::Close() {
    int file = static_cast<int>(handle);
    handle = -1;
    return close(file) == 0 || Failed(error);
}

}  // namespace MyApp
