// The settings block of a packed file: twenty fields, all but the first behind the field marker.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/byte_set.h"
#include "core/pack_options.h"

// The 16 bytes before every field but the first: | \ / taldrumeon \ / |
inline constexpr std::string_view kFieldMarker = "|\\/taldrumeon\\/|";
static_assert(kFieldMarker.size() == 16);

// The 6 bytes between the parts of a packed file.
inline constexpr std::string_view kBlockSeparator = "+-byes";

inline constexpr int kSettingsFieldCount = 20;

// The block's bytes for the options and look as they are now.
ByteSet buildSettingsBlock(const PackOptions& options, const PlayerAppearance& appearance,
                           std::string_view playerPassword);

// Writes the block into a fresh temporary file in tempFolder (created exclusively) and returns
// its path; the empty text when no file could be created or fully written.
std::string writeSettingsBlock(const PackOptions& options, const PlayerAppearance& appearance,
                               std::string_view playerPassword, const std::string& tempFolder);

// The same in the user's temporary folder.
std::string writeSettingsBlock(const PackOptions& options, const PlayerAppearance& appearance,
                               std::string_view playerPassword);

// A block read back, every field as the bytes it holds.
struct SettingsFields {
  std::string title;
  std::string author;
  ByteSet cipheredPassword;
  Colour backColor = 0, borderColor = 0, textColor = 0;
  std::int32_t opacity = 0;
  ByteSet backPicture;
  std::int32_t barMode = 0;
  Colour barColors[3] = {0, 0, 0};
  std::int32_t barBackMode = 0;
  Colour barBackColors[3] = {0, 0, 0};
  std::string fileName;
  std::int32_t interfaceMode = 0;
  std::int32_t useModule = 0;
  std::string startSlide;
};

// Splits a block into its fields. Fixed-size fields anchor the split from both ends, so marker
// bytes inside the picture do not confuse it; nullopt when the bytes are no settings block.
std::optional<SettingsFields> parseSettingsBlock(const ByteSet& block);
