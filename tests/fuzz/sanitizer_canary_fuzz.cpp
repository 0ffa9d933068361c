// Not fuzzed: a target that overflows a signed integer on the input
// "overflow" and never returns on the input "hang", so that the tests can
// show the fuzz build stops on both.

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (input == "overflow") {
    volatile int largest = INT_MAX;
    return largest + static_cast<int>(size) > 0 ? 0 : 0;
  }
  if (input == "hang") {
    for (volatile bool forever = true; forever;) {
    }
  }
  return 0;
}
