// Generated catalogues of any size for the benchmarks, shaped like a user's:
// categories of 20 entries, most naming programs, some web addresses, and a
// few sharing one real program.
#pragma once

#include "catalogue.h"

namespace Bench {

constexpr int entriesPerCategory = 20;

MyApp::Catalogue SampleCatalogue(int entries);

}  // namespace Bench
