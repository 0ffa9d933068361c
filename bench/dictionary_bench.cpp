// The dictionary's costs at start-up and on a change of language (both
// decipher the whole embedded container), and of one hint lookup.

#include <benchmark/benchmark.h>

#include "support/code_dictionary.h"
#include "support/hashing.h"

namespace {

void BM_LoadDictionary(benchmark::State& State) {
  for (auto _ : State) {
    support::TObjDic dic;
    benchmark::DoNotOptimize(dic.Load());
  }
}
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMicrosecond);

void BM_SetLanguage(benchmark::State& State) {
  support::TObjDic dic;
  dic.Load();
  for (auto _ : State) {
    dic.SetLanguage(1040);
    benchmark::DoNotOptimize(dic.Strings().data());
  }
}
BENCHMARK(BM_SetLanguage)->Unit(benchmark::kMicrosecond);

void BM_LookupManufacturer(benchmark::State& State) {
  support::TObjDic dic;
  dic.Load();
  dic.SetLanguage(1033);
  const std::int32_t code = support::StringHashEx("ARL");
  std::u16string text;
  for (auto _ : State) benchmark::DoNotOptimize(dic.Lookup(3, code, text));
}
BENCHMARK(BM_LookupManufacturer);

}  // namespace

BENCHMARK_MAIN();
