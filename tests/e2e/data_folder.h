// The catalogue file where the program keeps it, in the user's local
// application data of the suite's Wine prefix, read and written byte for byte.
#pragma once

#include <string>

namespace ZelmivoE2E {

std::wstring CatalogueFilePath();
bool CatalogueFileExists();
// The file's bytes; empty when it does not exist.
std::string ReadCatalogueFile();
bool WriteCatalogueFile(const std::string& bytes);
void RemoveCatalogueFile();

std::string ReadFileBytes(const std::wstring& path);

}  // namespace ZelmivoE2E
