// writeSettingsBlock and its reader.
#include "core/settings_block.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "core/data_cipher.h"
#include "core/gbk_text.h"
#include "core/os.h"

namespace {

void field(ByteSet& out, std::string_view text) {
  appendBytes(out, kFieldMarker);
  appendBytes(out, text);
}

void field(ByteSet& out, const ByteSet& bytes) {
  appendBytes(out, kFieldMarker);
  appendBytes(out, bytes);
}

void field32(ByteSet& out, std::uint32_t value) {
  appendBytes(out, kFieldMarker);
  appendLe32(out, value);
}

// Grows by one on every name request, so two runs in one millisecond start apart.
std::atomic<std::uint32_t> settingsNameCounter{0};

std::string hexName(std::uint32_t number) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%x.tmp", static_cast<unsigned>(number));
  return buffer;
}

}  // namespace

ByteSet buildSettingsBlock(const PackOptions& options, const PlayerAppearance& appearance,
                           std::string_view playerPassword) {
  ByteSet out;
  appendBytes(out, effectiveTitle(options.title()));                                  // 1 title, bare
  field(out, effectiveAuthor(options.author()));                                      // 2 author
  field(out, DataCipher::encrypt(bytesOf(playerPassword), kFixedPassPhrase));         // 3 password
  field32(out, appearance.backColor());                                               // 4
  field32(out, appearance.borderColor());                                             // 5
  field32(out, appearance.textColor());                                               // 6
  field32(out, static_cast<std::uint32_t>(appearance.opacity()));                     // 7
  field(out, appearance.backPicture());                                               // 8 picture bytes
  field32(out, static_cast<std::uint32_t>(appearance.barMode()));                     // 9
  field32(out, appearance.barColor1());                                               // 10
  field32(out, appearance.barColor2());                                               // 11
  field32(out, appearance.barColor3());                                               // 12
  field32(out, static_cast<std::uint32_t>(appearance.barBackMode()));                 // 13
  field32(out, appearance.barBackColor1());                                           // 14
  field32(out, appearance.barBackColor2());                                           // 15
  field32(out, appearance.barBackColor3());                                           // 16
  field(out, gbk::fileNameOf(options.sourcePath()));                                  // 17 file name
  field32(out, static_cast<std::uint32_t>(options.interfaceMode()));                  // 18
  field32(out, options.useModule() ? 1u : 0u);                                        // 19
  field(out, options.startSlide());                                                   // 20 start slide text
  return out;
}

std::string writeSettingsBlock(const PackOptions& options, const PlayerAppearance& appearance,
                               std::string_view playerPassword, const std::string& tempFolder) {
  std::string folder = gbk::withTrailingBackslash(tempFolder);
  std::uint32_t number = os::tickCount() + settingsNameCounter.fetch_add(1);
  ByteSet block = buildSettingsBlock(options, appearance, playerPassword);
  // Names that exist are stepped over; a name taken between the test and the creation too.
  for (int attempt = 0; attempt < 100000; ++attempt, ++number) {
    std::string path = folder + hexName(number);
    if (os::entryExists(path)) continue;
    switch (os::writeWholeFile(path, block, os::CreateMode::kExclusive)) {
      case os::WriteResult::kOk:
        return path;
      case os::WriteResult::kExists:
        continue;
      case os::WriteResult::kFailed:
        os::deleteFile(path);  // a short file must not stay behind
        return std::string();
    }
  }
  return std::string();
}

std::string writeSettingsBlock(const PackOptions& options, const PlayerAppearance& appearance,
                               std::string_view playerPassword) {
  return writeSettingsBlock(options, appearance, playerPassword, os::tempFolder());
}

namespace {

// Reads a settings block from both ends: fields 1 to 7 forwards, 20 back to 9 backwards,
// and field 8 (the picture, which may hold anything) is what lies between.
class BlockReader {
 public:
  explicit BlockReader(const ByteSet& block) : data_(block), front_(0), back_(block.size()) {}

  bool markerAt(std::size_t pos) const {
    return pos + kFieldMarker.size() <= data_.size() &&
           std::equal(kFieldMarker.begin(), kFieldMarker.end(), data_.begin() + static_cast<std::ptrdiff_t>(pos));
  }

  // Bytes from front_ up to the next marker; front_ then stands on that marker.
  bool textUpToMarker(ByteSet& out) {
    for (std::size_t i = front_; i + kFieldMarker.size() <= back_; ++i) {
      if (markerAt(i)) {
        out.assign(data_.begin() + static_cast<std::ptrdiff_t>(front_), data_.begin() + static_cast<std::ptrdiff_t>(i));
        front_ = i;
        return true;
      }
    }
    return false;
  }

  bool skipMarker() {
    if (!markerAt(front_)) return false;
    front_ += kFieldMarker.size();
    return true;
  }

  bool front32(std::uint32_t& value) {
    if (!skipMarker() || front_ + 4 > back_) return false;
    value = readLe32(&data_[front_]);
    front_ += 4;
    return true;
  }

  bool back32(std::uint32_t& value) {
    if (back_ < front_ + 4 + kFieldMarker.size() || !markerAt(back_ - 4 - kFieldMarker.size())) return false;
    value = readLe32(&data_[back_ - 4]);
    back_ -= 4 + kFieldMarker.size();
    return true;
  }

  // The bytes after the last marker before back_.
  bool backText(ByteSet& out) {
    for (std::size_t i = back_; i-- > front_;) {
      if (i + kFieldMarker.size() <= back_ && markerAt(i)) {
        out.assign(data_.begin() + static_cast<std::ptrdiff_t>(i + kFieldMarker.size()),
                   data_.begin() + static_cast<std::ptrdiff_t>(back_));
        back_ = i;
        return true;
      }
    }
    return false;
  }

  bool middle(ByteSet& out) {
    if (!skipMarker() || front_ > back_) return false;
    out.assign(data_.begin() + static_cast<std::ptrdiff_t>(front_), data_.begin() + static_cast<std::ptrdiff_t>(back_));
    return true;
  }

 private:
  const ByteSet& data_;
  std::size_t front_;
  std::size_t back_;
};

}  // namespace

std::optional<SettingsFields> parseSettingsBlock(const ByteSet& block) {
  BlockReader r(block);
  SettingsFields f;
  ByteSet bytes;
  std::uint32_t v = 0;
  if (!r.textUpToMarker(bytes)) return std::nullopt;
  f.title = textOf(bytes);
  if (!r.skipMarker() || !r.textUpToMarker(bytes)) return std::nullopt;
  f.author = textOf(bytes);
  if (!r.skipMarker() || !r.textUpToMarker(f.cipheredPassword)) return std::nullopt;
  if (!r.front32(f.backColor) || !r.front32(f.borderColor) || !r.front32(f.textColor) || !r.front32(v)) {
    return std::nullopt;
  }
  f.opacity = static_cast<std::int32_t>(v);
  if (!r.backText(bytes)) return std::nullopt;
  f.startSlide = textOf(bytes);
  if (!r.back32(v)) return std::nullopt;
  f.useModule = static_cast<std::int32_t>(v);
  if (!r.back32(v)) return std::nullopt;
  f.interfaceMode = static_cast<std::int32_t>(v);
  if (!r.backText(bytes)) return std::nullopt;
  f.fileName = textOf(bytes);
  std::uint32_t values[8];
  for (int i = 7; i >= 0; --i) {
    if (!r.back32(values[i])) return std::nullopt;
  }
  f.barMode = static_cast<std::int32_t>(values[0]);
  f.barColors[0] = values[1];
  f.barColors[1] = values[2];
  f.barColors[2] = values[3];
  f.barBackMode = static_cast<std::int32_t>(values[4]);
  f.barBackColors[0] = values[5];
  f.barBackColors[1] = values[6];
  f.barBackColors[2] = values[7];
  if (!r.middle(f.backPicture)) return std::nullopt;
  return f;
}
