// Byte sets and the small helpers that move texts and integers in and out of them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using ByteSet = std::vector<std::uint8_t>;

inline ByteSet bytesOf(std::string_view text) { return ByteSet(text.begin(), text.end()); }

inline std::string textOf(const ByteSet& bytes) { return std::string(bytes.begin(), bytes.end()); }

inline void appendBytes(ByteSet& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

inline void appendBytes(ByteSet& out, const ByteSet& more) { out.insert(out.end(), more.begin(), more.end()); }

inline void appendLe32(ByteSet& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline std::uint32_t readLe32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

inline std::uint16_t readLe16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }
