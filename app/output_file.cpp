#include "output_file.h"

#include "file_system.h"

namespace MyApp {

namespace {

std::int64_t writeLimitForTests = -1;

}  // namespace

OutputFile::OutputFile(const std::string& path)
    : file(OpenForWriting(path)), limit(writeLimitForTests) {}

OutputFile::~OutputFile() {
    if (file != nullptr) {
        std::fclose(file);
    }
}

bool OutputFile::IsOpen() const { return file != nullptr; }

bool OutputFile::Write(const std::string& bytes) {
    if (file == nullptr) {
        return false;
    }
    std::int64_t size = static_cast<std::int64_t>(bytes.size());
    std::int64_t allowed = size;
    if (limit >= 0 && written + size > limit) {
        allowed = limit - written;
    }
    std::size_t count = static_cast<std::size_t>(allowed);
    bool complete = std::fwrite(bytes.data(), 1, count, file) == count && allowed == size;
    written += allowed;
    return complete && std::ferror(file) == 0;
}

bool OutputFile::Close() {
    if (file == nullptr) {
        return false;
    }
    bool flushed = FlushToDisk(file);
    bool closed = std::fclose(file) == 0;
    file = nullptr;
    return flushed && closed;
}

void SetWriteLimitForTests(std::int64_t bytes) { writeLimitForTests = bytes; }

}  // namespace MyApp
