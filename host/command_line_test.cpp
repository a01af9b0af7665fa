#include "host/command_line.h"

#include <gtest/gtest.h>

namespace {

struct ModeCase {
  const char* arguments;
  HostMode mode;
  bool hideCursor;
};

TEST(CommandLineTest, ModeComesFromTheSecondCharacterOnly) {
  const ModeCase cases[] = {
      {"/s", HostMode::Saver, true},      {"/S", HostMode::Saver, true},
      {"-s", HostMode::Saver, true},      {"xs 99", HostMode::Saver, true},
      {"", HostMode::Saver, false},  // started without switches: the cursor stays as it is
      {"s", HostMode::None, false},  // one character has no mode letter
      {"/c", HostMode::Settings, false},  {"/C:5678", HostMode::Settings, false},
      {"/a 1234", HostMode::None, false}, {"/", HostMode::None, false},
      {"／s", HostMode::Saver, true},  // a wide first character still counts as one
      {"/ｓ", HostMode::None, false},  // only the plain letter selects a mode
  };
  for (const ModeCase& c : cases) {
    const HostCommand command = ParseCommandLine(c.arguments);
    EXPECT_EQ(command.mode, c.mode) << '"' << c.arguments << '"';
    EXPECT_EQ(command.hideCursor, c.hideCursor) << '"' << c.arguments << '"';
  }
}

TEST(CommandLineTest, ModeLetterIsUpperCasedOrEmpty) {
  EXPECT_EQ(ModeLetter("/p 1"), "P");
  EXPECT_EQ(ModeLetter("-c"), "C");
  EXPECT_EQ(ModeLetter("s"), "");
  EXPECT_EQ(ModeLetter(""), "");
  EXPECT_EQ(ModeLetter("/ｓ"), "ｓ");
}

TEST(CommandLineTest, PreviewWindowIsReadFromTheFourthCharacter) {
  for (const char* arguments : {"/p 1234", "/P 1234", "/p:1234", "/p  1234", "/p\t1234",
                                "/p 1234 extra", "/p 1234x", "/p 1233.5", "/p 1234.4"}) {
    const HostCommand command = ParseCommandLine(arguments);
    EXPECT_EQ(command.mode, HostMode::Preview) << arguments;
    EXPECT_EQ(command.previewWindow, 1234) << arguments;
    EXPECT_FALSE(command.hideCursor) << arguments;
  }
}

TEST(CommandLineTest, UnreadablePreviewWindowIsZero) {
  for (const char* arguments : {"/p", "/p ", "/p abc", "/p -", "/p .", "/p 4294967296",
                                "/p -2147483649", "/p 99999999999999999999"}) {
    const HostCommand command = ParseCommandLine(arguments);
    EXPECT_EQ(command.mode, HostMode::Preview) << arguments;
    EXPECT_EQ(command.previewWindow, 0) << arguments;
  }
}

TEST(CommandLineTest, PreviewWindowKeepsAllThirtyTwoBits) {
  EXPECT_EQ(ParseCommandLine("/p 4294967295").previewWindow, -1);
  EXPECT_EQ(ParseCommandLine("/p 2147483648").previewWindow, INT32_MIN);
  EXPECT_EQ(ParseCommandLine("/p -2147483648").previewWindow, INT32_MIN);
  EXPECT_EQ(ParseCommandLine("/p +7").previewWindow, 7);
  EXPECT_EQ(ParseCommandLine("/p 2.5").previewWindow, 2);  // halves round to even
}

TEST(CommandLineTest, ThirdCharacterIsAlwaysSkipped) {
  EXPECT_EQ(ParseCommandLine("/p99").previewWindow, 9);
  EXPECT_EQ(ParseCommandLine("/p-12").previewWindow, 12);
}

TEST(CommandLineTest, SettingsModeIgnoresTheWindowAfterTheColon) {
  EXPECT_EQ(ParseCommandLine("/c:5678").previewWindow, 0);
}

TEST(CommandLineTest, ArgumentStringFollowsTheProgramName) {
  EXPECT_EQ(ArgumentString("\"C:\\Program Files\\ミレボラ.scr\" /p 1234"), "/p 1234");
  EXPECT_EQ(ArgumentString("C:\\WINDOWS\\ミレボ~1.SCR /s"), "/s");
  EXPECT_EQ(ArgumentString("\"C:\\a b\\ミレボラ.scr\""), "");
  EXPECT_EQ(ArgumentString("ミレボラ.scr   -c:5678"), "-c:5678");
  EXPECT_EQ(ArgumentString("\"C:\\unclosed /s"), "");
  EXPECT_EQ(ArgumentString(""), "");
}

}  // namespace
