// SPDX-License-Identifier: GPL-3.0-or-later
// The resident memory the system atlas costs the program, in a process of its own so that nothing
// has read the places before: what libgeonames costs once opened and its places read (its code and
// GIO's, its data unpacked), then what our index adds, read in the background as the entry form does.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <future>

#include "places/atlas.h"

namespace {

// Resident memory of this process in kB, as the kernel counts it (/proc/self/statm).
double residentKb() {
  long pages = 0, resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024.0;
}

// Opens the library as the atlas does and has it unpack every city once.
bool readEveryCity() {
  void* library = dlopen(halvora::places::kGeonamesLibraryFile, RTLD_NOW | RTLD_LOCAL);
  if (!library) return false;
  using CityCount = int (*)();
  using GetCity = void* (*)(int);
  using FreeCity = void (*)(void*);
  const auto count = reinterpret_cast<CityCount>(dlsym(library, "geonames_get_n_cities"));
  const auto get = reinterpret_cast<GetCity>(dlsym(library, "geonames_get_city"));
  const auto release = reinterpret_cast<FreeCity>(dlsym(library, "geonames_city_free"));
  if (!count || !get || !release) return false;
  for (int i = 0, n = count(); i < n; ++i) release(get(i));
  return true;
}

void BM_SystemAtlasResident(benchmark::State& state) {
  double libraryKb = 0, indexKb = 0;
  for (auto _ : state) {
    const double before = residentKb();
    if (!readEveryCity()) {
      state.SkipWithError("the atlas's library cannot be opened");
      return;
    }
    const double libraryRead = residentKb();
    std::async(std::launch::async, [] { halvora::places::SystemAtlas(); }).wait();
    const double indexed = residentKb();
    libraryKb = libraryRead - before;
    indexKb = indexed - libraryRead;
  }
  state.counters["library_kB"] = libraryKb;
  state.counters["index_kB"] = indexKb;
  state.counters["index_heap_kB"] = static_cast<double>(halvora::places::SystemAtlas().memoryBytes()) / 1024.0;
  state.counters["places"] = static_cast<double>(halvora::places::SystemAtlas().size());
}
// Once: the second reading would find everything in memory already.
BENCHMARK(BM_SystemAtlasResident)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
