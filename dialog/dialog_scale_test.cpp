#include "dialog/dialog_scale.h"

#include <gtest/gtest.h>

#include "dialog/dialog_layout.h"

namespace {

// A control's box in its parent; a size that fits the text counts as one pixel for the test.
struct Box {
  int left, top, right, bottom;
};
Box BoxOf(const ControlLayout& c) {
  const int width = c.width == kFitsText ? 1 : c.width;
  const int height = c.height == kFitsText ? 1 : c.height;
  return {c.left, c.top, c.left + width, c.top + height};
}
bool Overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
bool Inside(const Box& inner, const Box& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

TEST(DialogScale, DesignDensityLeavesTheLayoutAsItIs) {
  const DialogScale scale(96);
  EXPECT_EQ(scale.ClientWidth(), kDialogClientWidth);
  EXPECT_EQ(scale.ClientHeight(), kDialogClientHeight);
  for (const ControlLayout& control : kDialogLayout) {
    const ControlLayout scaled = scale.Scaled(control);
    EXPECT_EQ(scaled.left, control.left);
    EXPECT_EQ(scaled.top, control.top);
    EXPECT_EQ(scaled.width, control.width);
    EXPECT_EQ(scaled.height, control.height);
  }
  EXPECT_EQ(DialogScale(0).dotsPerInch(), 96);  // an unreported density
}

TEST(DialogScale, ClientAreaAndPlacesGrowInProportionRoundedOnce) {
  const DialogScale at120(120), at144(144);
  EXPECT_EQ(at120.ClientWidth(), 619);   // 618.75
  EXPECT_EQ(at120.ClientHeight(), 308);  // 307.5, halves away from zero
  EXPECT_EQ(at144.ClientWidth(), 743);   // 742.5
  EXPECT_EQ(at144.ClientHeight(), 369);
  const ControlLayout set = at120.Scaled(*FindControl(kSetButton));  // 316, 200, 81 x 25
  EXPECT_EQ(set.left, 395);
  EXPECT_EQ(set.top, 250);
  EXPECT_EQ(set.width, 101);  // 496.25 - 395
  EXPECT_EQ(set.height, 31);  // 281.25 - 250
  EXPECT_EQ(at120.Scaled(*FindControl(kCredit)).width, kFitsText);
}

// Rounding each size on its own could push a control into its neighbour or out of its parent;
// scaled edges never do, at any of the densities Windows offers.
TEST(DialogScale, ControlsKeepApartAndInsideTheirParentsAtEveryDensity) {
  for (int dpi : {120, 144, 168, 192, 240, 288}) {
    const DialogScale scale(dpi);
    const Box form{0, 0, scale.ClientWidth(), scale.ClientHeight()};
    const ControlLayout panelRow = scale.Scaled(*FindControl(kPanel));
    const Box panel{0, 0, panelRow.width, panelRow.height};
    for (const ControlLayout& a : kDialogLayout) {
      const Box scaledA = BoxOf(scale.Scaled(a));
      EXPECT_TRUE(Inside(scaledA, a.parent == ControlParent::Panel ? panel : form))
          << a.id << " at " << dpi;
      for (const ControlLayout& b : kDialogLayout) {
        if (&a == &b || a.parent != b.parent) continue;
        EXPECT_EQ(Overlap(scaledA, BoxOf(scale.Scaled(b))), Overlap(BoxOf(a), BoxOf(b)))
            << a.id << " and " << b.id << " at " << dpi;
      }
    }
  }
}
}  // namespace
