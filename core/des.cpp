// DES block function: the tables of FIPS 46-3, with IP, FP and the S-box/P step precomputed for speed.
#include "core/des.h"

#include "core/des_tables.h"

namespace {

// Generic permutation: output bit i (from 1 at the top of outBits) is input bit table[i] of inBits.
std::uint64_t permute(std::uint64_t in, int inBits, const std::uint8_t* table, int outBits) {
  std::uint64_t out = 0;
  for (int i = 0; i < outBits; ++i) {
    out = (out << 1) | ((in >> (inBits - table[i])) & 1);
  }
  return out;
}

struct Precomputed {
  std::uint64_t ip[8][256];  // IP of a block that holds only byte p
  std::uint64_t fp[8][256];
  std::uint32_t sp[8][64];   // P applied to S-box i's output for a 6-bit input

  Precomputed() {
    for (int p = 0; p < 8; ++p) {
      for (int v = 0; v < 256; ++v) {
        std::uint64_t block = std::uint64_t(v) << (56 - 8 * p);
        ip[p][v] = permute(block, 64, des_tables::kIp, 64);
        fp[p][v] = permute(block, 64, des_tables::kFp, 64);
      }
    }
    for (int box = 0; box < 8; ++box) {
      for (int v = 0; v < 64; ++v) {
        // Row from the outer bits, column from the middle four.
        int row = ((v >> 4) & 2) | (v & 1);
        int column = (v >> 1) & 0xF;
        std::uint32_t s = std::uint32_t(des_tables::kS[box][row * 16 + column]) << (28 - 4 * box);
        sp[box][v] = static_cast<std::uint32_t>(permute(s, 32, des_tables::kP, 32));
      }
    }
  }
};

const Precomputed& tables() {
  static const Precomputed instance;
  return instance;
}

std::uint64_t byteWisePermute(const std::uint64_t (&table)[8][256], std::uint64_t block) {
  std::uint64_t out = 0;
  for (int p = 0; p < 8; ++p) out |= table[p][(block >> (56 - 8 * p)) & 0xFF];
  return out;
}

constexpr std::uint32_t rotateRight(std::uint32_t v, int n) { return (v >> n) | (v << (32 - n)); }

}  // namespace

Des::Des(const std::uint8_t key[8]) {
  std::uint64_t k = 0;
  for (int i = 0; i < 8; ++i) k = (k << 8) | key[i];
  std::uint64_t cd = permute(k, 64, des_tables::kPc1, 56);
  std::uint32_t c = static_cast<std::uint32_t>(cd >> 28) & 0x0FFFFFFF;
  std::uint32_t d = static_cast<std::uint32_t>(cd) & 0x0FFFFFFF;
  for (int round = 0; round < 16; ++round) {
    int shift = des_tables::kShifts[round];
    c = ((c << shift) | (c >> (28 - shift))) & 0x0FFFFFFF;
    d = ((d << shift) | (d >> (28 - shift))) & 0x0FFFFFFF;
    std::uint64_t subkey = permute((std::uint64_t(c) << 28) | d, 56, des_tables::kPc2, 48);
    auto group = [&](int g) { return static_cast<std::uint32_t>((subkey >> (42 - 6 * g)) & 0x3F); };
    RoundKey key{group(0) | group(2) << 24 | group(4) << 16 | group(6) << 8,
                 group(1) | group(3) << 24 | group(5) << 16 | group(7) << 8};
    encryptKeys_[round] = key;
    decryptKeys_[15 - round] = key;
  }
}

std::uint64_t Des::encryptBlock(std::uint64_t block) const { return crypt(block, encryptKeys_); }

std::uint64_t Des::decryptBlock(std::uint64_t block) const { return crypt(block, decryptKeys_); }

std::uint64_t Des::crypt(std::uint64_t block, const RoundKey* keys) {
  const Precomputed& t = tables();
  std::uint64_t permuted = byteWisePermute(t.ip, block);
  std::uint32_t left = static_cast<std::uint32_t>(permuted >> 32);
  std::uint32_t right = static_cast<std::uint32_t>(permuted);
  for (int round = 0; round < 16; ++round) {
    // Expansion E: group g is the six bits 4g..4g+5 of R (from 1, wrapping 0 to 32). Rotating R
    // right by 27 puts group 0 in the low six bits and groups 2, 4, 6 at bits 24, 16, 8; by 23
    // the same for groups 1, 3, 5, 7.
    std::uint32_t even = rotateRight(right, 27) ^ keys[round].even;
    std::uint32_t odd = rotateRight(right, 23) ^ keys[round].odd;
    std::uint32_t f = t.sp[0][even & 0x3F] | t.sp[2][(even >> 24) & 0x3F] | t.sp[4][(even >> 16) & 0x3F] |
                      t.sp[6][(even >> 8) & 0x3F] | t.sp[1][odd & 0x3F] | t.sp[3][(odd >> 24) & 0x3F] |
                      t.sp[5][(odd >> 16) & 0x3F] | t.sp[7][(odd >> 8) & 0x3F];
    std::uint32_t next = left ^ f;
    left = right;
    right = next;
  }
  // The halves are swapped once more before the final permutation.
  return byteWisePermute(t.fp, (std::uint64_t(right) << 32) | left);
}
