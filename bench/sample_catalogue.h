// Generated catalogues of any size for the benchmarks, shaped like a user's:
// categories of 20 entries (or of as many as asked), most naming programs,
// some web addresses, and a few sharing one real program.
#pragma once

#include <vector>

#include "catalogue.h"

namespace Bench {

constexpr int entriesPerCategory = 20;

// Categories of `perCategory` entries; one long column when that is `entries`.
MyApp::Catalogue SampleCatalogue(int entries, int perCategory = entriesPerCategory);
// The entries of each of its columns.
std::vector<int> SampleColumns(int entries, int perCategory = entriesPerCategory);

}  // namespace Bench
