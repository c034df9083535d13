// A file written from the start, reporting every failure up to its close.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace MyApp {

class OutputFile {
public:
    // Truncates or creates the file, shared with other programs while open.
    explicit OutputFile(const std::string& path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool IsOpen() const;
    bool Write(const std::string& bytes);
    // Flushes the data to the disk and closes; false when either step failed.
    bool Close();

private:
    std::FILE* file = nullptr;
    std::int64_t written = 0;
    std::int64_t limit = -1;
};

// Tests use this to make every file opened afterwards fail once it has
// written this many bytes, as a full disk would; a negative value lifts it.
void SetWriteLimitForTests(std::int64_t bytes);

}  // namespace MyApp
