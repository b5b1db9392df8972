// Reading a packed file back: stub, module, settings block and archive, and the archive's entries.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/byte_set.h"
#include "core/settings_block.h"

struct ArchiveEntry {
  std::string name;  // GBK bytes as stored
  std::uint16_t method = 0;
  std::uint16_t flags = 0;
  std::uint32_t crc = 0;
  std::uint32_t compressedSize = 0;
  std::uint32_t size = 0;
  std::uint32_t externalAttributes = 0;
  std::uint32_t localHeaderOffset = 0;
};

struct PackedFileParts {
  std::size_t stubSize = 0;
  std::size_t moduleOffset = 0, moduleSize = 0;
  std::size_t settingsOffset = 0, settingsSize = 0;
  std::size_t archiveOffset = 0, archiveSize = 0;
  SettingsFields settings;
  std::vector<ArchiveEntry> entries;
};

// Size of a Windows program from its own headers (the end of its last section); 0 when the
// bytes at offset are no such program.
std::size_t windowsProgramSize(const ByteSet& data, std::size_t offset);

// The archive's entries from its end record and central directory; nullopt when there is none.
std::optional<std::vector<ArchiveEntry>> readArchiveDirectory(const ByteSet& archive);

// Splits a packed file into its parts; nullopt with a reason when it is not one.
std::optional<PackedFileParts> parsePackedFile(const ByteSet& data, std::string& reason);
