#include "controls/command_properties.h"

#include <gtest/gtest.h>

#include <cstring>

#include "controls/command_property_bag.h"

namespace {

CaptionFont Font(const char* face, float size, int weight = 400) {
  CaptionFont font;
  font.faceName = face;
  font.size = size;
  font.weight = weight;
  return font;
}

const CaptionFont kAmbient = Font("MS UI Gothic", 9);
constexpr std::uint32_t kRed = 0x0000FF;

bool Announces(const PropertyEffect& effect, const char* name) {
  return effect.changed != nullptr && std::strcmp(effect.changed, name) == 0;
}

// A control that has been through its first run: enabled, FirstRun 1.
CommandProperties Settled() {
  CommandProperties control(kAmbient);
  control.Enabled();
  return control;
}

TEST(CommandStoreRules, MissingOrMismatchedKeysGiveTheReadDefault) {
  CommandPropertyBag store;
  store.Keep("Number", std::string("7"));
  EXPECT_EQ(ReadProperty(store, "Missing", PropertyValue{std::int32_t{3}}),
            PropertyValue{std::int32_t{3}});
  EXPECT_EQ(ReadProperty(store, "Number", PropertyValue{std::int32_t{3}}),
            PropertyValue{std::int32_t{3}});
  EXPECT_EQ(ReadProperty(store, "Number", PropertyValue{std::string("x")}),
            PropertyValue{std::string("7")});
}

TEST(CommandStoreRules, ValueEqualToTheWriteDefaultIsNotKept) {
  CommandPropertyBag store;
  WriteProperty(store, "Caption", std::string("OK"), std::string("Command"));
  EXPECT_EQ(store.values().at("Caption"), PropertyValue{std::string("OK")});
  // Writing the default again drops what an earlier save left.
  WriteProperty(store, "Caption", std::string("Command"), std::string("Command"));
  EXPECT_EQ(store.values().count("Caption"), 0u);
}

TEST(CommandPersistence, SettledControlWithDefaultsStoresNothing) {
  CommandProperties control = Settled();
  control.SetFont(kAmbient);
  CommandPropertyBag store;
  EXPECT_EQ(control.WriteProperties(store, kAmbient).paint, StateImage::Normal);
  EXPECT_TRUE(store.values().empty());
}

TEST(CommandPersistence, CaptionCommandComesBackAsCommand1) {
  CommandProperties saved = Settled();
  CommandPropertyBag store;
  saved.WriteProperties(store, kAmbient);
  CommandProperties loaded(kAmbient);
  loaded.ReadProperties(store, kAmbient);
  EXPECT_EQ(loaded.Caption(), "Command1");

  saved.SetCaption("設定");
  saved.WriteProperties(store, kAmbient);
  loaded.ReadProperties(store, kAmbient);
  EXPECT_EQ(loaded.Caption(), "設定");
}

TEST(CommandPersistence, OtherValuesRoundTripWithTheirStoredKinds) {
  CommandProperties saved = Settled();
  saved.SetEnabled(false);
  saved.SetFontColour(kRed);
  saved.SetVisible(0);
  CommandPropertyBag store;
  saved.WriteProperties(store, kAmbient);
  EXPECT_EQ(store.values().at("Enabled"), PropertyValue{false});
  EXPECT_EQ(store.values().at("Visible"), PropertyValue{std::int32_t{0}});
  EXPECT_EQ(store.values().at("FontColour"), PropertyValue{std::int32_t{kRed}});

  CommandProperties loaded(kAmbient);
  // Disabled after loading: RefreshLook paints nothing.
  EXPECT_EQ(loaded.ReadProperties(store, kAmbient).paint, std::nullopt);
  EXPECT_FALSE(loaded.enabledField());
  EXPECT_EQ(loaded.firstRun(), 1);
  EXPECT_EQ(loaded.caption().colour, kRed);
  EXPECT_FALSE(loaded.backgroundOpaque());
}

TEST(CommandPersistence, EmptyStoreLoadsTheReadDefaults) {
  CommandProperties control(Font("Arial", 12));
  CommandPropertyBag store;
  EXPECT_EQ(control.ReadProperties(store, kAmbient).paint, StateImage::Normal);
  EXPECT_TRUE(control.enabledField());
  EXPECT_EQ(control.firstRun(), 1);
  EXPECT_EQ(control.Caption(), "Command1");
  EXPECT_EQ(control.caption().colour, 0u);
  EXPECT_TRUE(control.backgroundOpaque());
  EXPECT_EQ(control.Font().faceName, kAmbient.faceName);
  EXPECT_EQ(control.Font().size, 12);
}

TEST(CommandPersistence, OnlyTheStoredFontsFaceNameApplies) {
  CommandPropertyBag store;
  store.Keep("Font", Font("Meiryo", 20, 700));
  CommandProperties control(Font("MS UI Gothic", 9));
  control.ReadProperties(store, kAmbient);
  EXPECT_EQ(control.Font(), Font("Meiryo", 9));
}

TEST(CommandPersistence, FontOtherThanTheAmbientOneIsStoredWhole) {
  CommandProperties control = Settled();
  control.SetFont(Font("Meiryo", 20, 700));
  CommandPropertyBag store;
  control.WriteProperties(store, kAmbient);
  EXPECT_EQ(store.values().at("Font"), PropertyValue{Font("Meiryo", 20, 700)});
}

// A container fills a bag from its design data, the button loads it and saves it back: the
// same values return, and the caption left at its design text is dropped.
TEST(CommandPersistence, ContainerDesignDataRoundTripsThroughABag) {
  const CommandPropertyBag design{
      {"Caption", std::string("ｷｬﾝｾﾙ")}, {"Enabled", false},
      {"Font", Font("Meiryo", 20, 700)}, {"FontColour", std::int32_t{kRed}},
      {"Visible", std::int32_t{0}},
  };
  CommandProperties control(Font("Tahoma", 8));
  control.ReadProperties(design, kAmbient);
  EXPECT_EQ(control.Font(), Font("Meiryo", 8));
  CommandPropertyBag saved;
  control.WriteProperties(saved, kAmbient);
  CommandPropertyBag expected = design;
  expected.Keep("Font", Font("Meiryo", 8));  // the label's own size and weight were kept
  EXPECT_EQ(saved.values(), expected.values());

  control.SetCaption("Command");
  control.WriteProperties(saved, kAmbient);
  EXPECT_EQ(saved.Find("Caption"), std::nullopt);
}

TEST(CommandFirstRun, FreshControlIsEnabledByItsFirstEnabledRead) {
  CommandProperties control(kAmbient);
  EXPECT_EQ(control.firstRun(), 0);
  EXPECT_FALSE(control.enabledField());
  const PropertyRead<bool> read = control.Enabled();
  EXPECT_TRUE(read.value);
  EXPECT_EQ(read.effect.paint, StateImage::Normal);
  EXPECT_EQ(control.firstRun(), 1);
  // A fresh control stores FirstRun 1 as the default: nothing.
  CommandPropertyBag store;
  control.WriteProperties(store, kAmbient);
  EXPECT_EQ(store.values().count("FirstRun"), 0u);
}

TEST(CommandFirstRun, CaptionStaysBlackWhileFirstRunIsZero) {
  CommandProperties control(kAmbient);
  control.SetEnabled(true);
  control.SetFontColour(kRed);
  EXPECT_EQ(control.caption().colour, 0u);
  control.Enabled();
  control.SetFontColour(kRed);
  EXPECT_EQ(control.caption().colour, kRed);
}

TEST(CommandFirstRun, StoredFirstRunZeroIsKeptAndSaved) {
  CommandPropertyBag store;
  store.Keep("FirstRun", std::int32_t{0});
  store.Keep("FontColour", std::int32_t{kRed});
  CommandProperties control(kAmbient);
  control.ReadProperties(store, kAmbient);
  EXPECT_EQ(control.firstRun(), 0);
  EXPECT_EQ(control.caption().colour, 0u);  // reset by the load's RefreshLook
  CommandPropertyBag saved;
  control.WriteProperties(saved, kAmbient);
  EXPECT_EQ(saved.values().at("FirstRun"), PropertyValue{std::int32_t{0}});
}

TEST(CommandPropertyEffects, VisibleSwitchesTheBackgroundAndRepaintsWhenOpaque) {
  CommandProperties control = Settled();
  PropertyEffect effect = control.SetVisible(0);
  EXPECT_FALSE(control.backgroundOpaque());
  EXPECT_EQ(effect.paint, std::nullopt);
  EXPECT_TRUE(Announces(effect, "Visible"));
  EXPECT_EQ(control.Visible().value, 0);
  EXPECT_EQ(control.Visible().effect.paint, std::nullopt);

  effect = control.SetVisible(7);
  EXPECT_TRUE(control.backgroundOpaque());
  EXPECT_EQ(effect.paint, StateImage::Normal);
  const PropertyRead<std::uint8_t> read = control.Visible();
  EXPECT_EQ(read.value, kVisibleOpaque);
  EXPECT_EQ(read.effect.paint, StateImage::Normal);
}

TEST(CommandPropertyEffects, EnabledChoosesNormalOrDisableAndGreysTheCaption) {
  CommandProperties control = Settled();
  PropertyEffect effect = control.SetEnabled(false);
  EXPECT_EQ(effect.paint, StateImage::Disable);
  EXPECT_TRUE(Announces(effect, "Enabled"));
  EXPECT_FALSE(control.caption().enabled);
  EXPECT_EQ(control.Enabled().effect.paint, StateImage::Disable);
  EXPECT_EQ(control.Resize().paint, StateImage::Disable);
  // A disabled control's RefreshLook paints nothing.
  EXPECT_EQ(control.FontColour().effect.paint, std::nullopt);
  EXPECT_EQ(control.SetEnabled(true).paint, StateImage::Normal);
  EXPECT_TRUE(control.caption().enabled);
}

TEST(CommandPropertyEffects, CaptionAndFontAnnounceWithoutRepainting) {
  CommandProperties control = Settled();
  PropertyEffect effect = control.SetCaption("ｷｬﾝｾﾙ");
  EXPECT_EQ(effect.paint, std::nullopt);
  EXPECT_TRUE(Announces(effect, "Caption"));
  effect = control.SetFont(Font("Meiryo", 9));
  EXPECT_EQ(effect.paint, std::nullopt);
  EXPECT_TRUE(Announces(effect, "Font"));
  EXPECT_TRUE(Announces(control.SetFontColour(kRed), "FontColour"));
}

}  // namespace
