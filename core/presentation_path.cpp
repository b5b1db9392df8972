// Extension and module rules of a presentation's path.
#include "core/presentation_path.h"

#include "core/gbk_text.h"
#include "core/pack_options.h"

std::string extensionOf(std::string_view path) {
  std::size_t dot = gbk::lastCharPos(path, '.');
  if (dot == gbk::npos) return std::string();
  // A final dot adds no empty piece, so the piece before it is the last one.
  if (dot + 1 == path.size()) {
    path = path.substr(0, dot);
    dot = gbk::lastCharPos(path, '.');
  }
  std::string_view last = dot == gbk::npos ? path : path.substr(dot + 1);
  std::size_t blank = gbk::firstCharPos(last, ' ');
  return std::string(blank == gbk::npos ? last : last.substr(0, blank));
}

int moduleKindOfChosenSource(std::string_view path) {
  return gbk::asciiLower(extensionOf(path)) == "ppt" ? kModuleKindPpt : kModuleKindPptx;
}

std::string_view moduleFileName(int kind) { return kind == kModuleKindPpt ? "bf3.sj" : "bf10.sj"; }

std::string moduleFilePath(std::string_view programFolder, int kind) {
  std::string out(programFolder);
  out += '\\';
  return out.append(moduleFileName(kind));
}
