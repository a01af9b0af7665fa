#include "renderer/renderer_arguments.h"

#include <gtest/gtest.h>

namespace {

using Arguments = std::vector<std::wstring>;

std::optional<std::wstring> FolderOf(const Arguments& arguments) {
  const std::optional<RendererArguments> parsed = ParseRendererArguments(arguments);
  EXPECT_TRUE(parsed.has_value());
  return parsed ? parsed->captureFolder : std::nullopt;
}

TEST(RendererArguments, WithoutTheSwitchTheSharedFolderIsRead) {
  EXPECT_EQ(FolderOf({}), std::nullopt);
  // Arguments it never took, as before.
  EXPECT_EQ(FolderOf({L"/s"}), std::nullopt);
  EXPECT_EQ(FolderOf({L"-captures", L"C:\\Temp\\k"}), std::nullopt);
  EXPECT_EQ(FolderOf({L"/CAPTURES", L"C:\\Temp\\k"}), std::nullopt);
}

TEST(RendererArguments, TheSwitchNamesAFolderOfAnyCharacters) {
  EXPECT_EQ(FolderOf({L"/captures", L"C:\\Users\\山田 太郎\\AppData\\Local\\Temp\\ミレボラ-1f4-0"}),
            L"C:\\Users\\山田 太郎\\AppData\\Local\\Temp\\ミレボラ-1f4-0");
  EXPECT_EQ(FolderOf({L"/captures", L"\\\\server\\share\\k"}), L"\\\\server\\share\\k");
  EXPECT_EQ(FolderOf({L"/captures", L"d:/temp/k"}), L"d:/temp/k");
  // Trailing separators go, so that a file name joined on is not read as a folder's.
  EXPECT_EQ(FolderOf({L"/captures", L"C:\\Temp\\k\\\\"}), L"C:\\Temp\\k");
  EXPECT_EQ(FolderOf({L"/captures", L"C:\\"}), L"C:\\");
  // Started by an unquoted path with blanks, the program's name spills into the arguments.
  EXPECT_EQ(FolderOf({L"Files\\ミレボラ\\ミレボラ.dll", L"/captures", L"C:\\Temp\\k"}),
            L"C:\\Temp\\k");
}

TEST(RendererArguments, TheSwitchWithoutOneFullPathAfterItIsRefused) {
  const Arguments refused[] = {
      {L"/captures"},
      {L"/captures", L""},
      // Paths that depend on the current folder or drive.
      {L"/captures", L"Temp\\k"},
      {L"/captures", L"C:Temp\\k"},
      {L"/captures", L"\\Temp\\k"},
      {L"/captures", L"\\\\"},
      {L"C:\\Temp\\k", L"/captures"},
      {L"/captures", L"/captures", L"C:\\Temp\\k"},
      {L"/captures", L"C:\\Temp\\k", L"/captures"},
      {L"/captures", L"C:\\Temp\\k", L""},
  };
  for (const Arguments& arguments : refused) {
    EXPECT_FALSE(ParseRendererArguments(arguments).has_value())
        << testing::PrintToString(arguments);
  }
}

}  // namespace
