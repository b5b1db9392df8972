// Every narrow text the program defines must be plain GBK: no character that needs GB18030's four-byte form.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/gbk_text.h"

namespace {

struct Literal {
  std::string file;
  int line;
  std::string text;  // UTF-8 as in the source
};

bool isIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// A small lexer: skips comments, collects the contents of narrow string and character literals.
std::vector<Literal> narrowLiterals(const std::string& file, const std::string& src) {
  std::vector<Literal> out;
  int line = 1;
  for (std::size_t i = 0; i < src.size();) {
    char c = src[i];
    if (c == '\n') {
      ++line, ++i;
    } else if (src.compare(i, 2, "//") == 0) {
      while (i < src.size() && src[i] != '\n') ++i;
    } else if (src.compare(i, 2, "/*") == 0) {
      std::size_t end = src.find("*/", i + 2);
      end = end == std::string::npos ? src.size() : end + 2;
      line += static_cast<int>(std::count(src.begin() + i, src.begin() + end, '\n'));
      i = end;
    } else if (c == '"' || c == '\'') {
      // The prefix decides the literal's kind: L, u, U and u8 literals are not narrow GBK texts.
      std::size_t p = i;
      while (p > 0 && isIdentChar(src[p - 1])) --p;
      std::string prefix = src.substr(p, i - p);
      bool raw = !prefix.empty() && prefix.back() == 'R';
      if (raw) prefix.pop_back();
      bool narrow = prefix.empty();
      std::size_t start = i + 1, end;
      if (raw) {
        std::size_t open = src.find('(', start);
        std::string close = ")" + src.substr(start, open - start) + "\"";
        end = src.find(close, open);
        start = open + 1;
        if (narrow) out.push_back({file, line, src.substr(start, end - start)});
        line += static_cast<int>(std::count(src.begin() + i, src.begin() + end, '\n'));
        i = end + close.size();
        continue;
      }
      end = start;
      while (end < src.size() && src[end] != c) end += src[end] == '\\' ? 2 : 1;
      if (narrow) out.push_back({file, line, src.substr(start, end - start)});
      i = end + 1;
    } else {
      ++i;
    }
  }
  return out;
}

TEST(GbkLiterals, EveryNarrowTextIsPlainGbk) {
  namespace fs = std::filesystem;
  fs::path root = TERVALO_SOURCE_DIR;
  int checked = 0;
  std::vector<std::string> bad;
  for (const char* layer : {"core", "cli", "ui", "app", "designer", "online", "tests"}) {
    if (!fs::exists(root / layer)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / layer)) {
      std::string ext = entry.path().extension().string();
      if (ext != ".cpp" && ext != ".h") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::stringstream ss;
      ss << in.rdbuf();
      for (const Literal& lit : narrowLiterals(entry.path().string(), ss.str())) {
        ++checked;
        std::string gbkText;
        if (!gbk::utf8ToGbk(lit.text, gbkText)) bad.push_back(lit.file + ":" + std::to_string(lit.line) + ": " + lit.text);
      }
    }
  }
  EXPECT_GT(checked, 0);
  for (const std::string& b : bad) ADD_FAILURE() << "not GBK: " << b;
}

TEST(GbkLiterals, LexerFindsOnlyNarrowLiterals) {
  std::string src = "a = \"x\\\"y\"; // \"comment\"\nb = L\"wide\"; c = u8\"utf\"; d = R\"(raw)\"; e = 'q';";
  auto lits = narrowLiterals("f", src);
  ASSERT_EQ(lits.size(), 3u);
  EXPECT_EQ(lits[0].text, "x\\\"y");
  EXPECT_EQ(lits[1].text, "raw");
  EXPECT_EQ(lits[2].text, "q");
  EXPECT_EQ(lits[2].line, 2);
}

}  // namespace
