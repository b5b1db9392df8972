// The rules behind choosing a source and a target.
#include "app/source_selection.h"

#include "core/gbk_text.h"
#include "core/pack_options.h"

#ifndef TERVALO_SITE_HOST
#error "TERVALO_SITE_HOST names the vendor's host; the build sets it"
#endif


std::string sourceFolderOf(std::string_view path) { return gbk::folderOf(path); }

std::string defaultOutputPath(std::string_view folder) {
  std::string out(folder);
  if (gbk::lastBackslash(folder) == gbk::npos) return out.append(source_text::kRootOutputName);
  return out.append(".exe");
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
