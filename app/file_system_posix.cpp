// Used only by the native tests: the local application-data folder is the
// environment variable LOCALAPPDATA, so tests never touch a real user folder.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "file_system.h"
#include "text.h"

namespace MyApp {

namespace {

std::string Native(const std::string& path) { return Common::ReplaceChar(path, '\\', '/'); }

}  // namespace

std::string LocalAppDataFolder() {
    const char* folder = std::getenv("LOCALAPPDATA");
    return folder == nullptr ? std::string() : std::string(folder);
}

bool PathExists(const std::string& path) {
    struct stat status;
    return stat(Native(path).c_str(), &status) == 0;
}

bool MakeDirectory(const std::string& path) { return mkdir(Native(path).c_str(), 0777) == 0; }

bool RemoveFile(const std::string& path) { return unlink(Native(path).c_str()) == 0; }

bool MoveFileOver(const std::string& source, const std::string& target) {
    return std::rename(Native(source).c_str(), Native(target).c_str()) == 0;
}

std::FILE* OpenForReading(const std::string& path) {
    return std::fopen(Native(path).c_str(), "rb");
}

std::FILE* OpenForWriting(const std::string& path) {
    return std::fopen(Native(path).c_str(), "wb");
}

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) {
        return false;
    }
    return fsync(fileno(file)) == 0;
}

}  // namespace MyApp
