// The bytes the program must write for a catalogue: fixed-width columns,
// CR LF line ends, built from the entries a test expects.
#pragma once

#include <string>
#include <vector>

namespace ZelmivoE2E {

struct ExpectedApp {
    int categoryId;
    std::string description;
    std::string parameters;
    std::string pathname;
};

struct ExpectedCategory {
    std::string name;
    int id;
};

std::string CatalogueText(const std::vector<ExpectedCategory>& categories,
                          const std::vector<ExpectedApp>& apps);

}  // namespace ZelmivoE2E
