#include "dropped_entries.h"

#include "text.h"

namespace MyApp {

namespace {

std::string DescriptionOf(const std::string& path) {
    std::string folder = path;
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    std::string name = Common::FileNameOf(folder);
    std::string::size_type dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name.empty() ? path : name;
}

}  // namespace

std::vector<EntryText> EntriesForDroppedFiles(const std::vector<std::wstring>& paths) {
    std::vector<EntryText> entries;
    for (const std::wstring& path : paths) {
        std::string name = Common::WideToNarrow(path);
        entries.push_back(EntryText{DescriptionOf(name), name, ""});
    }
    return entries;
}

}  // namespace MyApp
