#include "dialog/dialog_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(DialogLayout, TabOrderRunsPanelChoicesComboFileLinkSetCancel) {
  // The three choices are one stop, between the panel and the repeat box; the link comes before
  // the buttons beside it.
  EXPECT_EQ(DialogTabOrder(),
            (std::vector<int>{kPanel, kChoiceLabel0 + 1, kChoiceLabel0 + 0, kChoiceLabel0 + 2,
                              kRepeatTrack, kFileButton, kWebLink, kSetButton, kCancelButton}));
}

TEST(DialogLayout, ChoicesShowCdNoneFileFromTopToBottom) {
  // The control index is the music kind; the display order is 1, 0, 2.
  const ControlLayout* cd = FindControl(kChoiceLabel0 + 1);
  const ControlLayout* none = FindControl(kChoiceLabel0 + 0);
  const ControlLayout* file = FindControl(kChoiceLabel0 + 2);
  ASSERT_TRUE(cd && none && file);
  EXPECT_STREQ(cd->text, "音楽CD");
  EXPECT_STREQ(none->text, "なし");
  EXPECT_STREQ(file->text, "MP3、WAV");
  EXPECT_LT(cd->top, none->top);
  EXPECT_LT(none->top, file->top);
  for (int kind = 0; kind < 3; ++kind) {
    const ControlLayout* image = FindControl(kChoiceImage0 + kind);
    const ControlLayout* label = FindControl(kChoiceLabel0 + kind);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->top, label->top);  // each image beside its label
    EXPECT_EQ(image->parent, ControlParent::Panel);
  }
}

TEST(DialogLayout, EveryControlLiesInsideItsParent) {
  const ControlLayout* panel = FindControl(kPanel);
  ASSERT_TRUE(panel);
  std::set<int> ids;
  for (const ControlLayout& control : kDialogLayout) {
    EXPECT_TRUE(ids.insert(control.id).second) << "duplicate id " << control.id;
    const int parentWidth =
        control.parent == ControlParent::Panel ? panel->width : kDialogClientWidth;
    const int parentHeight =
        control.parent == ControlParent::Panel ? panel->height : kDialogClientHeight;
    EXPECT_GE(control.left, 0) << control.id;
    EXPECT_GE(control.top, 0) << control.id;
    if (control.width != kFitsText) EXPECT_LE(control.left + control.width, parentWidth);
    if (control.height != kFitsText) EXPECT_LE(control.top + control.height, parentHeight);
  }
}

TEST(DialogLayout, ButtonsAndTheirCaptions) {
  const ControlLayout* set = FindControl(kSetButton);
  const ControlLayout* cancel = FindControl(kCancelButton);
  const ControlLayout* file = FindControl(kFileButton);
  ASSERT_TRUE(set && cancel && file);
  EXPECT_STREQ(set->text, "設定");
  EXPECT_STREQ(cancel->text, "ｷｬﾝｾﾙ");
  EXPECT_STREQ(file->text, "...");
  EXPECT_EQ(set->kind, ControlKind::CommandButton);
  EXPECT_EQ(file->parent, ControlParent::Panel);
  EXPECT_EQ(FindControl(12345), nullptr);
}

TEST(DialogLayout, CreditLineNamesTheProjectAndItsVersion) {
  EXPECT_STREQ(kCreditLine, "Designed by ミレボラ developers  Ver." MIREBORA_VERSION);
  // The link takes the guide's path when the dialog opens; it ends before the Set button.
  const ControlLayout* link = FindControl(kWebLink);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->text, nullptr);
  EXPECT_LT(link->left + kWebLinkMaxWidth, FindControl(kSetButton)->left);
}

}  // namespace
