#include "host/capture_place.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Folders whose writes take the roles it is given, and which log every call, with the roles of
// a removal from the shared folder as "1.34" (role 1 to 4 or a dot).
class FakeFolders final : public CaptureFolders {
 public:
  // `removable`: the roles whose file in the shared folder can be deleted or is not there.
  FakeFolders(const char* shared, bool ownMade, const char* own, const char* removable = "1234")
      : shared_(Roles(shared)), ownMade_(ownMade), own_(Roles(own)), removable_(Roles(removable)) {}

  CaptureRoles WriteShared() override {
    calls.push_back("write shared");
    return shared_;
  }
  CaptureRoles RemoveShared(CaptureRoles roles) override {
    std::string names;
    for (int i = 0; i < kCaptureFileCount; ++i) names += roles[i] ? char('1' + i) : '.';
    calls.push_back("remove shared " + names);
    return roles & removable_;
  }
  bool MakeOwn() override {
    calls.push_back("make own");
    return ownMade_;
  }
  CaptureRoles WriteOwn() override {
    calls.push_back("write own");
    return own_;
  }
  void RemoveOwn() override { calls.push_back("remove own"); }

  std::vector<std::string> calls;

 private:
  // "1.34": the files 1, 3 and 4.
  static CaptureRoles Roles(const char* names) {
    CaptureRoles roles;
    for (int i = 0; i < kCaptureFileCount; ++i) roles[i] = names[i] != '.';
    return roles;
  }

  CaptureRoles shared_;
  bool ownMade_;
  CaptureRoles own_;
  CaptureRoles removable_;
};

using Calls = std::vector<std::string>;

TEST(PlaceCaptureFiles, AllFourInTheSharedFolderMakeNoFolderOfItsOwn) {
  FakeFolders folders("1234", true, "1234");
  EXPECT_EQ(PlaceCaptureFiles(folders), CapturePlace::Shared);
  EXPECT_EQ(folders.calls, Calls{"write shared"});
  // The end removes the four capture files there, those this run did not write among them.
  RemovePlacedCaptureFiles(folders, CapturePlace::Shared);
  EXPECT_EQ(folders.calls.back(), "remove shared 1234");
}

TEST(PlaceCaptureFiles, FilesInTheWayMoveTheRunIntoItsOwnFolder) {
  // Another user's four files held open in the shared folder: nothing of this run goes there,
  // and at the end nothing there is touched.
  FakeFolders held("....", true, "1234");
  EXPECT_EQ(PlaceCaptureFiles(held), CapturePlace::Own);
  EXPECT_EQ(held.calls, (Calls{"write shared", "make own", "write own", "remove shared 1234"}));
  RemovePlacedCaptureFiles(held, CapturePlace::Own);
  EXPECT_EQ(held.calls.back(), "remove own");
  EXPECT_EQ(held.calls.size(), 5u);

  // One file in the way: the three this run wrote beside it are taken back before the renderer
  // starts, so that the snapshot of the screen is in one place only, and the old one goes too
  // where it may.
  FakeFolders one("1.34", true, "1234");
  EXPECT_EQ(PlaceCaptureFiles(one), CapturePlace::Own);
  EXPECT_EQ(one.calls, (Calls{"write shared", "make own", "write own", "remove shared 1234"}));

  // The own folder is the place even when it takes fewer than the shared one, or none: what the
  // shared folder still holds of an earlier run, an older snapshot among it, is never read.
  FakeFolders full("1.34", true, "1.34");
  EXPECT_EQ(PlaceCaptureFiles(full), CapturePlace::Own);
  EXPECT_EQ(full.calls, (Calls{"write shared", "make own", "write own", "remove shared 1234"}));
  FakeFolders fewer("12.4", true, "1...");
  EXPECT_EQ(PlaceCaptureFiles(fewer), CapturePlace::Own);
  FakeFolders nowhere("....", true, "....");
  EXPECT_EQ(PlaceCaptureFiles(nowhere), CapturePlace::Own);
  RemovePlacedCaptureFiles(nowhere, CapturePlace::Own);
  EXPECT_EQ(nowhere.calls.back(), "remove own");
}

// Without a folder of its own, the shared folder serves once what this run could not replace
// there is gone; an old file that stays (a read-only folder) means no place at all: the run's own
// files are taken back and the renderer is not started, so nothing old is shown.
TEST(PlaceCaptureFiles, WithoutAFolderOfItsOwnNoOldFileIsRead) {
  FakeFolders removed("1.34", false, "1234");
  EXPECT_EQ(PlaceCaptureFiles(removed), CapturePlace::Shared);
  EXPECT_EQ(removed.calls, (Calls{"write shared", "make own", "remove shared .2.."}));

  FakeFolders kept("1.34", false, "1234", "1.34");
  EXPECT_EQ(PlaceCaptureFiles(kept), CapturePlace::Nowhere);
  EXPECT_EQ(kept.calls,
            (Calls{"write shared", "make own", "remove shared .2..", "remove shared 1.34"}));
  RemovePlacedCaptureFiles(kept, CapturePlace::Nowhere);
  EXPECT_EQ(kept.calls.size(), 4u);

  FakeFolders readOnly("....", false, "1234", "....");
  EXPECT_EQ(PlaceCaptureFiles(readOnly), CapturePlace::Nowhere);
  EXPECT_EQ(readOnly.calls.back(), "remove shared 1234");
}

}  // namespace
