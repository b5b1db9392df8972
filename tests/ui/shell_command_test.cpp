// The ".htm" open command cut before its placeholder, as links use it when the shell cannot open.
#include "ui/shell_command.h"

#include <gtest/gtest.h>

namespace {

TEST(ShellCommand, CutBeforeTheQuotedOrBarePlaceholder) {
  struct Case {
    const char* registered;
    const char* expected;
  };
  const Case cases[] = {
      {"\"C:\\Program Files\\浏览器\\browser.exe\" -- \"%1\"", "\"C:\\Program Files\\浏览器\\browser.exe\" --"},
      {"C:\\browser.exe %1", "C:\\browser.exe"},
      {"C:\\browser.exe -nohome", "C:\\browser.exe -nohome"},
      {"\"C:\\b.exe\" \"%1\" %1", "\"C:\\b.exe\""},
      {"\"%1\"", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ui::commandBeforePlaceholder(c.registered), c.expected) << c.registered;
}

TEST(ShellCommand, AddressFollowsAfterOneBlankAndNothingWithoutACommand) {
  EXPECT_EQ(ui::commandForAddress("C:\\browser.exe \"%1\"", "www.example.com/bbs"), "C:\\browser.exe www.example.com/bbs");
  EXPECT_EQ(ui::commandForAddress("\"%1\"", "www.example.com"), "");
}

}  // namespace
