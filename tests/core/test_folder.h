// A fresh folder per test under the system's temporary folder, removed afterwards.
#pragma once

#include <filesystem>
#include <random>
#include <string>

#include "core/gbk_text.h"

class TestFolder {
 public:
  TestFolder() {
    std::random_device rd;
    native_ = std::filesystem::temp_directory_path() / ("tervalo-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(native_);
  }
  ~TestFolder() {
    std::error_code ec;
    std::filesystem::remove_all(native_, ec);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& native() const { return native_; }

  // The folder as the program names it: GBK, backslashes, no trailing backslash.
  std::string path() const {
    std::string gbkText;
    gbk::utf8ToGbk(reinterpret_cast<const char*>(native_.u8string().c_str()), gbkText);
    return gbk::replaceChar(gbkText, '/', '\\');
  }

  std::string file(const std::string& name) const { return path() + "\\" + name; }

  std::size_t entryCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(native_), {}));
  }

 private:
  std::filesystem::path native_;
};
