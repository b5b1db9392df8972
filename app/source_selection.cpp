// The rules behind choosing a source and a target.
#include "app/source_selection.h"

#include "core/gbk_text.h"
#include "core/pack_options.h"

#ifndef TERVALO_SITE_HOST
#error "TERVALO_SITE_HOST names the vendor's host; the build sets it"
#endif

namespace {

// Position of the first single-byte character ch at or after from, walking whole characters.
std::size_t firstCharPos(std::string_view text, char ch) {
  for (std::size_t i = 0; i < text.size(); i += gbk::charLength(text, i)) {
    if (text[i] == ch) return i;
  }
  return gbk::npos;
}

}  // namespace

std::string extensionOf(std::string_view path) {
  std::size_t dot = gbk::lastCharPos(path, '.');
  if (dot == gbk::npos) return std::string();
  // A final dot adds no empty piece, so the piece before it is the last one.
  if (dot + 1 == path.size()) {
    path = path.substr(0, dot);
    dot = gbk::lastCharPos(path, '.');
  }
  std::string_view last = dot == gbk::npos ? path : path.substr(dot + 1);
  std::size_t blank = firstCharPos(last, ' ');
  return std::string(blank == gbk::npos ? last : last.substr(0, blank));
}

std::string sourceFolderOf(std::string_view path) { return gbk::folderOf(path); }

std::string defaultOutputPath(std::string_view folder) {
  std::string out(folder);
  if (gbk::lastBackslash(folder) == gbk::npos) return out.append(source_text::kRootOutputName);
  return out.append(".exe");
}

int moduleKindOfChosenSource(std::string_view path) {
  return gbk::asciiLower(extensionOf(path)) == "ppt" ? kModuleKindPpt : kModuleKindPptx;
}

std::string moduleFilePath(std::string_view programFolder, int kind) {
  std::string out(programFolder);
  return out.append(kind == kModuleKindPpt ? "\\bf3.sj" : "\\bf10.sj");
}

std::string missingModuleText(int kind) {
  std::string out(kind == kModuleKindPpt ? "PPT" : "PPTX");
  return out.append("打包模块不存在,如需要使用打包模块请到官网(").append(TERVALO_SITE_HOST).append(")下载");
}

DropDecision judgeDrop(std::string_view paths, bool packJobRunning) {
  if (packJobRunning) return {DropVerdict::kPacking, 0};
  std::string extension = gbk::asciiLower(extensionOf(paths));
  if (extension == "ppt") return {DropVerdict::kAccept, kModuleKindPpt};
  if (extension == "pptx") return {DropVerdict::kAccept, kModuleKindPptx};
  return {DropVerdict::kWrongFile, 0};
}

std::string withExeExtension(std::string_view chosenPath) {
  std::string out(chosenPath);
  if (gbk::lastCharPos(gbk::fileNameOf(chosenPath), '.') == gbk::npos) out.append(".exe");
  return out;
}
