#pragma once
// One fuzz input through the configuration-file readers: deciphering, the
// in-memory INI store (as plain text and as a length-prefixed buffer) and
// loading a parameter set. Shared by the libFuzzer target and the test that
// replays the seed corpus.

#include <cstddef>
#include <cstdint>

namespace orv::fuzz {

// True when every invariant held: a deciphered body enciphers back to the
// same bytes, formatting a parsed store and parsing it again changes
// nothing, and loading reports a result without leaving the wait window or
// the busy cursor behind.
bool LcefileFuzzOne(const std::uint8_t* data, std::size_t size);

}  // namespace orv::fuzz
