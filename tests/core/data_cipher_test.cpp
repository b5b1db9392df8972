// The container rules and the key folding of the data cipher.
#include "core/data_cipher.h"

#include <gtest/gtest.h>

#include <random>

#include "core/des.h"

namespace {

ByteSet randomBytes(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  ByteSet out(n);
  for (auto& b : out) b = static_cast<std::uint8_t>(rng());
  return out;
}

// Enciphers a hand-made plain container, so tests can forge any length field.
ByteSet encipherRaw(const ByteSet& plain, std::string_view passPhrase) {
  auto key = DataCipher::mirroredKey(DataCipher::foldPassPhrase(passPhrase));
  Des des(key.data());
  ByteSet out(plain.size());
  for (std::size_t i = 0; i < plain.size(); i += 8) {
    std::uint64_t v = 0;
    for (int j = 0; j < 8; ++j) v = (v << 8) | plain[i + j];
    v = des.encryptBlock(v);
    for (int j = 7; j >= 0; --j, v >>= 8) out[i + j] = static_cast<std::uint8_t>(v);
  }
  return out;
}

ByteSet containerWithLength(std::int32_t n, std::size_t total) {
  ByteSet plain(total, 0x41);
  auto u = static_cast<std::uint32_t>(n);
  for (int i = 0; i < 4; ++i) plain[i] = static_cast<std::uint8_t>(u >> (8 * i));
  return plain;
}

TEST(DataCipher, EnciphersTheDocumentedPlainContainer) {
  // "abc" is the single block 03 00 00 00 61 62 63 00 before DES.
  ByteSet expected = encipherRaw({0x03, 0, 0, 0, 'a', 'b', 'c', 0}, kFixedPassPhrase);
  EXPECT_EQ(DataCipher::encrypt(bytesOf("abc"), kFixedPassPhrase), expected);
}

TEST(DataCipher, SizesAndRoundTrip) {
  for (std::size_t n = 1; n <= 64; ++n) {
    ByteSet data = randomBytes(n, static_cast<unsigned>(n));
    ByteSet sealed = DataCipher::encrypt(data, kFixedPassPhrase);
    EXPECT_EQ(sealed.size(), (n + 4 + 7) / 8 * 8) << n;
    EXPECT_EQ(DataCipher::decrypt(sealed, kFixedPassPhrase), data) << n;
  }
  EXPECT_EQ(DataCipher::encrypt(bytesOf("|"), kFixedPassPhrase).size(), 8u);
  ByteSet large = randomBytes(3 * 1024 * 1024 + 5, 7);
  EXPECT_EQ(DataCipher::decrypt(DataCipher::encrypt(large, "x"), "x"), large);
}

TEST(DataCipher, EmptyInEitherDirectionGivesEmpty) {
  EXPECT_TRUE(DataCipher::encrypt({}, kFixedPassPhrase).empty());
  EXPECT_TRUE(DataCipher::decrypt({}, kFixedPassPhrase).empty());
}

TEST(DataCipher, RefusesInvalidContainers) {
  ByteSet good = DataCipher::encrypt(randomBytes(20, 1), kFixedPassPhrase);  // 24 bytes
  ByteSet truncated(good.begin(), good.end() - 1);
  ByteSet extended = good;
  extended.push_back(0);
  EXPECT_TRUE(DataCipher::decrypt(truncated, kFixedPassPhrase).empty());
  EXPECT_TRUE(DataCipher::decrypt(extended, kFixedPassPhrase).empty());
  EXPECT_TRUE(DataCipher::decrypt(randomBytes(12, 3), kFixedPassPhrase).empty());

  struct Case {
    std::int32_t n;
    std::size_t total;
    std::size_t expected;  // 0: refused
  };
  const Case cases[] = {
      {0, 8, 0},   {-1, 8, 0},  {-100, 16, 0}, {4, 16, 0},  // twelve fill bytes are too many
      {5, 16, 5},  {12, 16, 12}, {13, 16, 0},  {1, 8, 1},  {4, 8, 4},  {5, 8, 0},
      {0x7FFFFFFF, 16, 0},
  };
  for (const Case& c : cases) {
    ByteSet sealed = encipherRaw(containerWithLength(c.n, c.total), kFixedPassPhrase);
    EXPECT_EQ(DataCipher::decrypt(sealed, kFixedPassPhrase).size(), c.expected) << "n=" << c.n << " T=" << c.total;
  }
  // The fill bytes are not examined.
  ByteSet plain = containerWithLength(5, 16);
  EXPECT_EQ(DataCipher::decrypt(encipherRaw(plain, "k"), "k"), ByteSet(5, 0x41));
}

TEST(DataCipher, KeyFoldingAndMirroring) {
  // Bytes 8, 9 and 10 of an 11-byte phrase fold back onto key bytes 0, 1 and 2.
  auto folded = DataCipher::foldPassPhrase("plumerodank");
  EXPECT_EQ(folded[0], 'p' ^ 'a');
  EXPECT_EQ(folded[1], 'l' ^ 'n');
  EXPECT_EQ(folded[2], 'u' ^ 'k');
  EXPECT_EQ(folded[7], 'd');
  auto mirrored = DataCipher::mirroredKey({0x01, 0x80, 0x0F, 0xA0, 0, 0xFF, 0x12, 0x34});
  const std::uint8_t expected[8] = {0x80, 0x01, 0xF0, 0x05, 0, 0xFF, 0x48, 0x2C};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(mirrored[i], expected[i]) << i;

  ByteSet data = randomBytes(30, 9);
  auto sealedWith = [&](std::string_view phrase) { return DataCipher::encrypt(data, phrase); };
  // Eight bytes written twice fold to zero, like the empty phrase.
  EXPECT_EQ(sealedWith("abcdefghabcdefgh"), sealedWith(""));
  // Phrases that fold alike behave alike.
  EXPECT_EQ(sealedWith(std::string("\x03", 1)), sealedWith(std::string("\x01\0\0\0\0\0\0\0\x02", 9)));
  // The top bit of a phrase byte is DES's parity bit after mirroring; the lowest bit counts.
  std::string phrase(kFixedPassPhrase);
  for (std::size_t i = 0; i < phrase.size(); ++i) {
    std::string high = phrase, low = phrase;
    high[i] = static_cast<char>(high[i] ^ 0x80);
    low[i] = static_cast<char>(low[i] ^ 0x01);
    EXPECT_EQ(sealedWith(high), sealedWith(phrase)) << i;
    EXPECT_NE(sealedWith(low), sealedWith(phrase)) << i;
  }
}

}  // namespace
