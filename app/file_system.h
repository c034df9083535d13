// The few operating-system calls under the catalogue file. Paths are narrow
// (Latin-1) texts with backslash separators.
#pragma once

#include <cstdio>
#include <string>

namespace MyApp {

// The per-user local application-data folder without a trailing separator;
// empty when the system does not supply one that a narrow text can name.
std::string LocalAppDataFolder();

// True for a file and a folder alike.
bool PathExists(const std::string& path);
// Makes one folder level with default security.
bool MakeDirectory(const std::string& path);
bool RemoveFile(const std::string& path);
// Puts the file source in the place of target in one step, replacing it.
bool MoveFileOver(const std::string& source, const std::string& target);

// A byte stream opened for reading, shared with other programs; null when the
// file cannot be opened. The caller closes it with std::fclose.
std::FILE* OpenForReading(const std::string& path);

// The same for writing: the file is truncated or created.
std::FILE* OpenForWriting(const std::string& path);
// Pushes what the stream holds through to the disk; false on failure.
bool FlushToDisk(std::FILE* file);

}  // namespace MyApp
