// The enciphered container of the module files and the password field: length, data, zero fill, DES-ECB.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/byte_set.h"

// The fixed pass phrase of the stub, the modules and the password field.
inline constexpr std::string_view kFixedPassPhrase = "plumerodank";

class DataCipher {
 public:
  // The enciphered container of data; empty for empty data.
  static ByteSet encrypt(const ByteSet& data, std::string_view passPhrase);

  // The data of a valid enciphered container; empty for anything else.
  static ByteSet decrypt(const ByteSet& data, std::string_view passPhrase);

  // decrypt without a second buffer: data becomes the plain data, or empty when invalid.
  static void decryptInPlace(ByteSet& data, std::string_view passPhrase);

  // The pass phrase's bytes folded onto eight by XOR, byte i onto key byte i mod 8.
  static std::array<std::uint8_t, 8> foldPassPhrase(std::string_view passPhrase);

  // The folded key as an ordinary DES key: each byte's bit order reversed.
  static std::array<std::uint8_t, 8> mirroredKey(const std::array<std::uint8_t, 8>& folded);
};
