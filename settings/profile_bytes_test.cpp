#include "settings/profile_bytes.h"

#include <gtest/gtest.h>

namespace {

// "BGMﾘﾋﾟｰﾄ" in Shift-JIS, and a name whose bytes differ from it only in ASCII case.
constexpr char kTrackName[] = "BGM\xD8\xCB\xDF\xB0\xC4";

TEST(ProfileBytes, FindsValuesAsTheProfileFunctionsDo) {
  const std::string file = std::string("[other]\r\nkey=no\r\n [section] \nKEY = \"a b\" \r\n") +
                           kTrackName + "=5\n[next]\r\nkey=later";
  EXPECT_EQ(FindProfileValue(file, "Section", "key"), "a b");
  EXPECT_EQ(FindProfileValue(file, "section", kTrackName), "5");
  EXPECT_EQ(FindProfileValue(file, "next", "key"), "later");
  EXPECT_EQ(FindProfileValue(file, "section", "missing"), std::nullopt);
  EXPECT_EQ(FindProfileValue(file, "missing", "key"), std::nullopt);
  EXPECT_EQ(FindProfileValue(file, "section", "bgm\xD8\xCB\xDF\xB0\xC4"), std::nullopt);
  EXPECT_EQ(FindProfileValue("", "section", "key"), std::nullopt);
}

TEST(ProfileBytes, ChangesTouchOnlyTheirOwnLines) {
  const std::string head = std::string("; \x82\xA0\n[Section]\r\n") + kTrackName + "=5\n";
  const std::string tail = "\r\n[Other]\r\nkey=\x81\r\n";
  const std::string file = head + "Kind=1\r\n" + tail;
  EXPECT_EQ(ChangeProfileValues(file, "section",
                                {{"kind", std::string(" 2")}, {"File", std::string("D:\\a")}}),
            head + "kind= 2\r\nFile=D:\\a\r\n" + tail);
  EXPECT_EQ(ChangeProfileValues(file, "Section", {{"KIND", std::nullopt}}), head + tail);
  // A missing section goes at the end; a last line without its line end gets one first.
  EXPECT_EQ(ChangeProfileValues("[Other]\r\nkey=1", "Section", {{"k", std::string("v")}}),
            "[Other]\r\nkey=1\r\n[Section]\r\nk=v\r\n");
  EXPECT_EQ(ChangeProfileValues("", "Section", {{"k", std::string("")}}), "[Section]\r\nk=\r\n");
  EXPECT_EQ(ChangeProfileValues(file, "Section", {{"absent", std::nullopt}}), file);
}

}  // namespace
