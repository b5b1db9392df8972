// DataCipher: folding, mirroring, then plain DES in ECB over the length-prefixed container.
#include "core/data_cipher.h"

#include <new>

#include "core/des.h"

namespace {

constexpr std::size_t kBlockSize = 8;
constexpr std::size_t kLengthFieldSize = 4;

Des makeDes(std::string_view passPhrase) {
  auto key = DataCipher::mirroredKey(DataCipher::foldPassPhrase(passPhrase));
  return Des(key.data());
}

std::uint64_t loadBlock(const std::uint8_t* p) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < kBlockSize; ++i) v = (v << 8) | p[i];
  return v;
}

void storeBlock(std::uint64_t v, std::uint8_t* p) {
  for (std::size_t i = kBlockSize; i-- > 0;) {
    p[i] = static_cast<std::uint8_t>(v);
    v >>= 8;
  }
}

}  // namespace

std::array<std::uint8_t, 8> DataCipher::foldPassPhrase(std::string_view passPhrase) {
  std::array<std::uint8_t, 8> key{};
  for (std::size_t i = 0; i < passPhrase.size(); ++i) key[i % 8] ^= static_cast<std::uint8_t>(passPhrase[i]);
  return key;
}

std::array<std::uint8_t, 8> DataCipher::mirroredKey(const std::array<std::uint8_t, 8>& folded) {
  std::array<std::uint8_t, 8> key{};
  for (std::size_t j = 0; j < 8; ++j) {
    std::uint8_t b = folded[j];
    std::uint8_t r = 0;
    for (int bit = 0; bit < 8; ++bit) r = static_cast<std::uint8_t>(r | (((b >> bit) & 1) << (7 - bit)));
    key[j] = r;
  }
  return key;
}

ByteSet DataCipher::encrypt(const ByteSet& data, std::string_view passPhrase) {
  if (data.empty() || data.size() > 0x7FFFFFFF - kLengthFieldSize - kBlockSize) return {};
  std::size_t total = (data.size() + kLengthFieldSize + kBlockSize - 1) / kBlockSize * kBlockSize;
  ByteSet out;
  try {
    out.reserve(total);
  } catch (const std::bad_alloc&) {
    return {};  // memory exhausted is a failed call like any other
  }
  appendLe32(out, static_cast<std::uint32_t>(data.size()));
  appendBytes(out, data);
  out.resize(total, 0);
  Des des = makeDes(passPhrase);
  for (std::size_t i = 0; i < total; i += kBlockSize) storeBlock(des.encryptBlock(loadBlock(&out[i])), &out[i]);
  return out;
}

ByteSet DataCipher::decrypt(const ByteSet& data, std::string_view passPhrase) {
  if (data.empty() || data.size() % kBlockSize != 0) return {};
  ByteSet copy;
  try {
    copy = data;
  } catch (const std::bad_alloc&) {
    return {};
  }
  decryptInPlace(copy, passPhrase);
  return copy;
}

void DataCipher::decryptInPlace(ByteSet& data, std::string_view passPhrase) {
  if (data.empty() || data.size() % kBlockSize != 0) {
    data.clear();
    return;
  }
  Des des = makeDes(passPhrase);
  // The first block holds the length field; check it before deciphering the rest.
  storeBlock(des.decryptBlock(loadBlock(data.data())), data.data());
  auto n = static_cast<std::int32_t>(readLe32(data.data()));
  auto total = static_cast<std::int64_t>(data.size());
  if (n <= 0 || n > total - 4 || n <= total - 12) {
    data.clear();
    return;
  }
  for (std::size_t offset = kBlockSize; offset < data.size(); offset += kBlockSize) {
    storeBlock(des.decryptBlock(loadBlock(&data[offset])), &data[offset]);
  }
  data.erase(data.begin(), data.begin() + kLengthFieldSize);
  data.resize(static_cast<std::size_t>(n));
}
