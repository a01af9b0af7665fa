#include "linux/saver_options.h"

#include <gtest/gtest.h>

namespace {

SaverCommand Parse(std::vector<std::string> args, const char* saverWindow = nullptr) {
  return ParseSaverCommand("mirebora", args, saverWindow);
}

TEST(SaverOptionsTest, DefaultsToAnOwnWindowThatGrabsTheDesktop) {
  const SaverCommand command = Parse({});
  ASSERT_TRUE(command.options);
  EXPECT_EQ(command.options->target, DrawTarget::OwnWindow);
  EXPECT_TRUE(command.options->grabDesktop);
  EXPECT_FALSE(command.options->showFps);
  EXPECT_FALSE(command.options->reportPace);
  EXPECT_FALSE(command.options->geometry.width);
  EXPECT_FALSE(command.options->geometry.x);
}

TEST(SaverOptionsTest, TakesOptionsWithOneDashOrTwo) {
  const SaverCommand command =
      Parse({"--fps", "-no-grab", "--geometry", "320x200+5+6", "-display", ":7", "--pace"});
  ASSERT_TRUE(command.options);
  EXPECT_TRUE(command.options->showFps);
  EXPECT_TRUE(command.options->reportPace);
  EXPECT_FALSE(command.options->grabDesktop);
  EXPECT_EQ(command.options->geometry.width, 320);
  EXPECT_EQ(command.options->geometry.y, 6);
  EXPECT_EQ(command.options->display, ":7");
}

TEST(SaverOptionsTest, TheDaemonsWindowIsTakenUnlessAnotherTargetIsNamed) {
  // Started by the daemon: XSCREENSAVER_WINDOW, with or without -root.
  for (const auto& args : {std::vector<std::string>{}, std::vector<std::string>{"--root"}}) {
    const SaverCommand command = Parse(args, "0x600008");
    ASSERT_TRUE(command.options);
    EXPECT_EQ(command.options->target, DrawTarget::GivenWindow);
    EXPECT_EQ(command.options->windowId, 0x600008u);
  }
  const SaverCommand ownWindow = Parse({"-window"}, "0x600008");
  ASSERT_TRUE(ownWindow.options);
  EXPECT_EQ(ownWindow.options->target, DrawTarget::OwnWindow);
  const SaverCommand given = Parse({"-window-id", "4194311"}, "0x600008");
  ASSERT_TRUE(given.options);
  EXPECT_EQ(given.options->windowId, 4194311u);
}

TEST(SaverOptionsTest, RootIsTheRootWindowWithoutADaemonOrWithAnUnreadableVariable) {
  for (const char* saverWindow : {static_cast<const char*>(nullptr), "", "window", "0x"}) {
    const SaverCommand command = Parse({"-root"}, saverWindow);
    ASSERT_TRUE(command.options);
    EXPECT_EQ(command.options->target, DrawTarget::RootWindow);
    const SaverCommand none = Parse({}, saverWindow);
    ASSERT_TRUE(none.options);
    EXPECT_EQ(none.options->target, DrawTarget::OwnWindow);
  }
}

TEST(SaverOptionsTest, TheLastTargetNamedHolds) {
  const SaverCommand command = Parse({"-window-id", "0x2a", "-root", "-window"});
  ASSERT_TRUE(command.options);
  EXPECT_EQ(command.options->target, DrawTarget::OwnWindow);
  const SaverCommand root = Parse({"-window", "-root"});
  ASSERT_TRUE(root.options);
  EXPECT_EQ(root.options->target, DrawTarget::RootWindow);
}

TEST(SaverOptionsTest, RefusesWhatItDoesNotKnowWithTheUsage) {
  for (const auto& args :
       {std::vector<std::string>{"-delay", "10"}, std::vector<std::string>{"-window-id"},
        std::vector<std::string>{"-window-id", "0"}, std::vector<std::string>{"-window-id", "12ab"},
        std::vector<std::string>{"-window-id", " 12"},
        std::vector<std::string>{"-window-id", "-12"},
        std::vector<std::string>{"-window-id", "0x0x12"},
        std::vector<std::string>{"-window-id", "99999999999999999999999"},
        std::vector<std::string>{"-geometry"}, std::vector<std::string>{"-geometry", "garbage"},
        std::vector<std::string>{"root"}}) {
    const SaverCommand command = Parse(args);
    EXPECT_FALSE(command.options) << args[0];
    EXPECT_EQ(command.exitCode, 1);
    EXPECT_EQ(command.message.rfind("mirebora: ", 0), 0u) << command.message;
    EXPECT_NE(command.message.find("usage: mirebora"), std::string::npos);
  }
}

TEST(WindowGeometryTest, ReadsSizeAndPlaceAsXProgramsWriteThem) {
  const std::optional<WindowGeometry> full = ParseWindowGeometry("640x480+10+20");
  ASSERT_TRUE(full);
  EXPECT_EQ(full->width, 640);
  EXPECT_EQ(full->height, 480);
  EXPECT_EQ(full->x, 10);
  EXPECT_EQ(full->y, 20);
  EXPECT_FALSE(full->xFromRight);
  EXPECT_FALSE(full->yFromBottom);

  const std::optional<WindowGeometry> sizeOnly = ParseWindowGeometry("=800X600");
  ASSERT_TRUE(sizeOnly);
  EXPECT_EQ(sizeOnly->height, 600);
  EXPECT_FALSE(sizeOnly->x);
  const std::optional<WindowGeometry> farEdges = ParseWindowGeometry("-0+32767");
  ASSERT_TRUE(farEdges);
  EXPECT_FALSE(farEdges->width);
  EXPECT_EQ(farEdges->x, 0);
  EXPECT_TRUE(farEdges->xFromRight);
  EXPECT_EQ(farEdges->y, 32767);
  EXPECT_FALSE(farEdges->yFromBottom);
}

TEST(WindowGeometryTest, RefusesWhatXCouldNotPlace) {
  for (const char* text : {"",
                           "=",
                           "garbage",
                           "640",
                           "640x",
                           "x480",
                           "0x480",
                           "640x0",
                           "+10",
                           "640x480+10",
                           "640x480+10+",
                           "640x480++10+10",
                           "32768x100",
                           "100x100+32768+0",
                           "99999999999999999999x1",
                           " 640x480",
                           "640x480 ",
                           "640x480+1+2junk",
                           "640 x480",
                           "640x-480",
                           "640x480+-1+2"}) {
    EXPECT_FALSE(ParseWindowGeometry(text)) << '"' << text << '"';
  }
}

TEST(SaverOptionsTest, HelpPrintsTheUsageAndSucceeds) {
  const SaverCommand command = Parse({"--help"});
  EXPECT_FALSE(command.options);
  EXPECT_EQ(command.exitCode, 0);
  EXPECT_EQ(command.message, SaverUsage("mirebora"));
}

}  // namespace
