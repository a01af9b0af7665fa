#include "host/renderer_command.h"

#include <gtest/gtest.h>

namespace {

TEST(RendererCommandLine, TheSharedFolderNeedsNoArguments) {
  EXPECT_EQ(RendererCommandLine(L"C:\\Program Files\\ミレボラ\\ミレボラ.dll", std::nullopt),
            L"\"C:\\Program Files\\ミレボラ\\ミレボラ.dll\"");
}

TEST(RendererCommandLine, AFolderOfTheRunsOwnFollowsTheSwitch) {
  EXPECT_EQ(RendererCommandLine(L"C:\\Program Files\\ミレボラ\\ミレボラ.dll",
                                L"C:\\Users\\山田 太郎\\AppData\\Local\\Temp\\ミレボラ-1f4-0"),
            L"\"C:\\Program Files\\ミレボラ\\ミレボラ.dll\" /captures "
            L"\"C:\\Users\\山田 太郎\\AppData\\Local\\Temp\\ミレボラ-1f4-0\"");
}

TEST(QuotedArgument, BackslashesAreDoubledOnlyBeforeAQuote) {
  struct Case {
    const wchar_t* argument;
    const wchar_t* quoted;
  };
  const Case cases[] = {
      {L"", L"\"\""},
      {L"C:\\a b", L"\"C:\\a b\""},
      // Read unquoted, the closing quote after one backslash would be part of the argument.
      {L"C:\\a b\\", L"\"C:\\a b\\\\\""},
      {L"C:\\a\\\\", L"\"C:\\a\\\\\\\\\""},
      {L"\\\\server\\share", L"\"\\\\server\\share\""},
      {L"say \"hi\"", L"\"say \\\"hi\\\"\""},
      {L"a\\\"b", L"\"a\\\\\\\"b\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QuotedArgument(c.argument), c.quoted);
  }
}

}  // namespace
