// Stand-ins for the player stub and the playback modules in pack-run tests.
#pragma once

#include <algorithm>
#include <random>

#include "core/byte_set.h"
#include "core/settings_block.h"

// Random bytes with the separator and the field marker inside, as real programs may hold them.
inline ByteSet fixtureBytes(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  ByteSet out(n);
  for (auto& b : out) b = static_cast<std::uint8_t>(rng());
  std::copy(kBlockSeparator.begin(), kBlockSeparator.end(), out.begin() + static_cast<std::ptrdiff_t>(n / 3));
  std::copy(kFieldMarker.begin(), kFieldMarker.end(), out.begin() + static_cast<std::ptrdiff_t>(n / 2));
  return out;
}

// Shaped like a Windows program (headers giving its size), so a reader can measure it even
// though separator bytes occur inside.
inline ByteSet fixtureProgram(std::size_t n, unsigned seed) {
  ByteSet out = fixtureBytes(n, seed);
  std::fill(out.begin(), out.begin() + 0x200, 0);
  out[0] = 'M', out[1] = 'Z', out[0x3C] = 0x40;
  out[0x40] = 'P', out[0x41] = 'E';
  out[0x46] = 1;  // one section, no optional header
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  put32(0x58 + 16, static_cast<std::uint32_t>(n - 0x200));  // raw size
  put32(0x58 + 20, 0x200);                                   // raw offset
  return out;
}

