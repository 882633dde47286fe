// libFuzzer entry: arbitrary bytes through the configuration-file readers.
#include <cstdint>

#include "Lcefilefuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!orv::fuzz::LcefileFuzzOne(data, size)) __builtin_trap();
  return 0;
}
