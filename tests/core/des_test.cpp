// DES against published known-answer vectors, both directions.
#include "core/des.h"

#include <gtest/gtest.h>

namespace {

struct Vector {
  std::uint64_t key, plain, cipher;
};

// FIPS 81 / NBS examples and the classic worked example.
const Vector kVectors[] = {
    {0x133457799BBCDFF1ull, 0x0123456789ABCDEFull, 0x85E813540F0AB405ull},
    {0x0E329232EA6D0D73ull, 0x8787878787878787ull, 0x0000000000000000ull},
    {0x0101010101010101ull, 0x8000000000000000ull, 0x95F8A5E5DD31D900ull},  // variable plaintext
    {0x0101010101010101ull, 0x0000000000000001ull, 0x166B40B44ABA4BD6ull},
    {0x8001010101010101ull, 0x0000000000000000ull, 0x95A8D72813DAA94Dull},  // variable key
    {0x0123456789ABCDEFull, 0x4E6F772069732074ull, 0x3FA40E8A984D4815ull},  // "Now is t"
};

TEST(Des, KnownAnswerVectors) {
  for (const Vector& v : kVectors) {
    std::uint8_t key[8];
    for (int i = 0; i < 8; ++i) key[i] = static_cast<std::uint8_t>(v.key >> (56 - 8 * i));
    Des des(key);
    EXPECT_EQ(des.encryptBlock(v.plain), v.cipher) << std::hex << "key " << v.key;
    EXPECT_EQ(des.decryptBlock(v.cipher), v.plain) << std::hex << "key " << v.key;
  }
}

}  // namespace
