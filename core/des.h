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
  std::uint64_t crypt(std::uint64_t block, bool decrypt) const;

  // Sixteen subkeys, each as eight 6-bit groups (group 0 holds subkey bits 1..6).
  std::uint8_t subkeys_[16][8];
};
