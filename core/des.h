// Standard DES (FIPS 46-3) on single 64-bit blocks; bit 1 is the most significant bit of the first byte.
#pragma once

#include <cstdint>

class Des {
 public:
  // key: the 8 key bytes in standard DES order (each byte's low bit is the ignored parity bit).
  explicit Des(const std::uint8_t key[8]);

  std::uint64_t encryptBlock(std::uint64_t block) const;
  std::uint64_t decryptBlock(std::uint64_t block) const;

 private:
  // Each subkey as two words matching the two rotations of R that the round function uses:
  // even groups 0, 2, 4, 6 at bits 0, 24, 16, 8 of the first, odd groups likewise in the second.
  struct RoundKey {
    std::uint32_t even, odd;
  };
  RoundKey encryptKeys_[16];
  RoundKey decryptKeys_[16];

  static std::uint64_t crypt(std::uint64_t block, const RoundKey* keys);
};
