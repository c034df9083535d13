// The catalogue file natively: formatting and parsing its lines, loading and
// saving it, each beside the floor of the raw input and output of the same
// bytes (read them; write, flush to the disk and rename them over the file).
// The data folder is a private temporary one, named by LOCALAPPDATA.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "catalogue_io.h"
#include "sample_catalogue.h"

namespace {

std::string ReadBytes(const std::string& path) {
    std::string bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return bytes;
    char buffer[4096];
    for (std::size_t count = std::fread(buffer, 1, sizeof buffer, file); count > 0;
         count = std::fread(buffer, 1, sizeof buffer, file)) {
        bytes.append(buffer, count);
    }
    std::fclose(file);
    return bytes;
}

bool WriteFlushRename(const std::string& bytes, const std::string& path) {
    std::string newPath = path + ".tmp";
    std::FILE* file = std::fopen(newPath.c_str(), "wb");
    if (file == nullptr) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                   std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    return std::fclose(file) == 0 && written && std::rename(newPath.c_str(), path.c_str()) == 0;
}

// The catalogue's file on disk, its path in the form this system opens.
std::string PreparedFile(const MyApp::Catalogue& catalogue) {
    Bench::Save(catalogue);
    std::string path = Bench::CatalogueFilePath();
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

void Format(benchmark::State& state) {
    MyApp::Catalogue catalogue = Bench::SampleCatalogue(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(Bench::FormatText(catalogue));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Parse(benchmark::State& state) {
    std::string text = Bench::FormatText(Bench::SampleCatalogue(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(Bench::ParseText(text));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Load(benchmark::State& state) {
    PreparedFile(Bench::SampleCatalogue(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        if (Bench::Load() != static_cast<std::size_t>(state.range(0))) {
            state.SkipWithError("the catalogue did not load whole");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void ReadFloor(benchmark::State& state) {
    std::string path = PreparedFile(Bench::SampleCatalogue(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(ReadBytes(path));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Save(benchmark::State& state) {
    MyApp::Catalogue catalogue = Bench::SampleCatalogue(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!Bench::Save(catalogue)) {
            state.SkipWithError("the catalogue was not saved");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void WriteFloor(benchmark::State& state) {
    std::string path = PreparedFile(Bench::SampleCatalogue(static_cast<int>(state.range(0))));
    std::string bytes = ReadBytes(path);
    for (auto _ : state) {
        if (!WriteFlushRename(bytes, path)) {
            state.SkipWithError("the bytes were not written");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(Format)->Apply(Sizes);
BENCHMARK(Parse)->Apply(Sizes);
BENCHMARK(Load)->Apply(Sizes);
BENCHMARK(ReadFloor)->Apply(Sizes);
BENCHMARK(Save)->Apply(Sizes);
BENCHMARK(WriteFloor)->Apply(Sizes);

}  // namespace

int main(int argc, char** argv) {
    // A private data folder, so that no user's catalogue is ever touched.
    char folder[] = "/tmp/zelmivo-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) return 1;
    setenv("LOCALAPPDATA", folder, 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Bench::RemoveCatalogueFile();
    std::string data = std::string(folder) + "/Zelmivo";
    rmdir((data + "/Dati").c_str());
    rmdir(data.c_str());
    rmdir(folder);
    return 0;
}
