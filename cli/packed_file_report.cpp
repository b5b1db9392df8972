// inspect: a report of the parts of a packed file, its 20 settings and its archive's entries.
#include <cstdio>

#include "cli/commands.h"
#include "core/data_cipher.h"
#include "core/os.h"
#include "core/packed_file.h"

namespace {

std::string hexColour(Colour c) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "RGB(%u,%u,%u)%s", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF,
                c >> 24 ? " with high byte set" : "");
  return buffer;
}

std::string number(std::uint64_t v) { return std::to_string(v); }

}  // namespace

int runInspect(const Arguments& args) {
  if (args.size() != 1) {
    printError("usage: tervalo-pack inspect FILE");
    return kExitUsage;
  }
  std::string path;
  if (!os::internalPath(args[0], path)) {
    printError("tervalo-pack inspect: the path holds a backslash, which this system cannot name");
    return kExitUsage;
  }
  ByteSet data;
  if (!os::readWholeFile(path, data)) {
    printError("tervalo-pack inspect: cannot read " + args[0]);
    return kExitFailed;
  }
  std::string reason;
  auto parts = parsePackedFile(data, reason);
  if (!parts) {
    printError("tervalo-pack inspect: " + args[0] + " is not a packed file: " + reason);
    return kExitFailed;
  }
  const SettingsFields& s = parts->settings;
  ByteSet password = DataCipher::decrypt(s.cipheredPassword, kFixedPassPhrase);
  std::string out;
  auto line = [&](const std::string& text) { out += text + "\n"; };
  line("stub: " + number(parts->stubSize) + " bytes");
  line(parts->moduleSize ? "module: " + number(parts->moduleSize) + " bytes" : std::string("module: none"));
  line("settings block: " + number(parts->settingsSize) + " bytes");
  line("  1 title: " + s.title);
  line("  2 author: " + s.author);
  line(std::string("  3 password: ") + (password.empty() ? "unreadable" : password == bytesOf("|") ? "none" : "set"));
  line("  4 background colour: " + hexColour(s.backColor));
  line("  5 border colour: " + hexColour(s.borderColor));
  line("  6 text colour: " + hexColour(s.textColor));
  line("  7 opacity: " + std::to_string(s.opacity));
  line("  8 background picture: " + number(s.backPicture.size()) + " bytes");
  line("  9 bar gradient mode: " + std::to_string(s.barMode));
  for (int i = 0; i < 3; ++i) line("  " + std::to_string(10 + i) + " bar colour " + std::to_string(i + 1) + ": " + hexColour(s.barColors[i]));
  line(" 13 bar background gradient mode: " + std::to_string(s.barBackMode));
  for (int i = 0; i < 3; ++i) {
    line(" " + std::to_string(14 + i) + " bar background colour " + std::to_string(i + 1) + ": " + hexColour(s.barBackColors[i]));
  }
  line(" 17 presentation: " + s.fileName);
  line(" 18 interface mode: " + std::to_string(s.interfaceMode) + (s.interfaceMode == 1 ? " (hidden)" : " (standard)"));
  line(" 19 use module: " + std::to_string(s.useModule));
  line(" 20 start slide: " + s.startSlide);
  line("archive: " + number(parts->archiveSize) + " bytes, " + number(parts->entries.size()) + " entries");
  for (const ArchiveEntry& e : parts->entries) {
    line(std::string("  ") + (e.method == 8 ? "deflated " : e.method == 0 ? "stored   " : "method?  ") + number(e.size) +
         " -> " + number(e.compressedSize) + "  " + e.name);
  }
  os::printText(false, out);
  return kExitOk;
}
