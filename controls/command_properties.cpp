// The Command button's properties: their side effects and the store's rules.
#include "controls/command_properties.h"

#include <utility>

namespace {

constexpr const char* kEnabledKey = "Enabled";
constexpr const char* kCaptionKey = "Caption";
constexpr const char* kFontKey = "Font";
constexpr const char* kFirstRunKey = "FirstRun";
constexpr const char* kFontColourKey = "FontColour";
constexpr const char* kVisibleKey = "Visible";

// A caption left at "Command" is not stored and comes back as "Command1".
constexpr const char* kCaptionReadDefault = "Command1";
constexpr const char* kCaptionWriteDefault = "Command";

constexpr bool kEnabledDefault = true;
constexpr std::int32_t kFirstRunDefault = 1;
constexpr std::int32_t kFontColourDefault = 0;
constexpr std::uint32_t kBlack = 0;
// The background style as stored.
constexpr std::int32_t kStyleOpaque = 1;
constexpr std::int32_t kStyleTransparent = 0;
constexpr std::uint8_t kVisibleTransparent = 0;

template <typename T>
T Read(const PropertyStore& store, const std::string& key, const T& readDefault) {
  return std::get<T>(ReadProperty(store, key, PropertyValue{readDefault}));
}

}  // namespace

PropertyValue ReadProperty(const PropertyStore& store, const std::string& key,
                           const PropertyValue& readDefault) {
  const std::optional<PropertyValue> stored = store.Find(key);
  if (!stored || stored->index() != readDefault.index()) {
    return readDefault;
  }
  return *stored;
}

void WriteProperty(PropertyStore& store, const std::string& key, const PropertyValue& value,
                   const PropertyValue& writeDefault) {
  if (value == writeDefault) {
    store.Forget(key);
  } else {
    store.Keep(key, value);
  }
}

CommandProperties::CommandProperties(CaptionFont designFont) {
  label_.font = std::move(designFont);
}

PropertyEffect CommandProperties::ShowEnabledLook() {
  label_.enabled = Enabled_;
  return {Enabled_ ? StateImage::Normal : StateImage::Disable};
}

// While FirstRun is 0 an enabled control's caption is black whatever colour it was given.
PropertyEffect CommandProperties::RefreshLook() {
  if (!Enabled_) {
    return {};
  }
  label_.enabled = true;
  if (FirstRun_ == 0) {
    label_.colour = kBlack;
  }
  return {StateImage::Normal};
}

PropertyRead<std::uint8_t> CommandProperties::Visible() {
  if (!opaque_) {
    return {kVisibleTransparent, {}};
  }
  return {kVisibleOpaque, RefreshLook()};
}

PropertyEffect CommandProperties::SetVisible(std::uint8_t value) {
  opaque_ = value != 0;
  PropertyEffect effect = opaque_ ? RefreshLook() : PropertyEffect{};
  effect.changed = kVisibleKey;
  return effect;
}

PropertyRead<std::uint32_t> CommandProperties::FontColour() {
  const std::uint32_t colour = label_.colour;
  return {colour, RefreshLook()};
}

PropertyEffect CommandProperties::SetFontColour(std::uint32_t colour) {
  label_.colour = colour;
  PropertyEffect effect = RefreshLook();
  effect.changed = kFontColourKey;
  return effect;
}

// The first read of a never stored control enables it and ends its first run.
PropertyRead<bool> CommandProperties::Enabled() {
  if (FirstRun_ == 0) {
    RefreshLook();
    FirstRun_ = 1;
    Enabled_ = true;
  }
  const bool enabled = Enabled_;
  return {enabled, ShowEnabledLook()};
}

PropertyEffect CommandProperties::SetEnabled(bool enabled) {
  Enabled_ = enabled;
  PropertyEffect effect = ShowEnabledLook();
  effect.changed = kEnabledKey;
  return effect;
}

PropertyEffect CommandProperties::SetCaption(std::string text) {
  label_.text = std::move(text);
  return {std::nullopt, kCaptionKey};
}

PropertyEffect CommandProperties::SetFont(CaptionFont font) {
  label_.font = std::move(font);
  return {std::nullopt, kFontKey};
}

PropertyEffect CommandProperties::ReadProperties(const PropertyStore& store,
                                                 const CaptionFont& ambientFont) {
  Enabled_ = Read(store, kEnabledKey, kEnabledDefault);
  label_.text = Read(store, kCaptionKey, std::string(kCaptionReadDefault));
  // The label keeps its own size, weight and style.
  label_.font.faceName = Read(store, kFontKey, ambientFont).faceName;
  FirstRun_ = static_cast<std::uint8_t>(Read(store, kFirstRunKey, kFirstRunDefault));
  label_.colour = static_cast<std::uint32_t>(Read(store, kFontColourKey, kFontColourDefault));
  opaque_ = Read(store, kVisibleKey, kStyleOpaque) != kStyleTransparent;
  return RefreshLook();
}

PropertyEffect CommandProperties::WriteProperties(PropertyStore& store,
                                                  const CaptionFont& ambientFont) {
  WriteProperty(store, kEnabledKey, Enabled_, kEnabledDefault);
  WriteProperty(store, kCaptionKey, label_.text, std::string(kCaptionWriteDefault));
  WriteProperty(store, kFirstRunKey, std::int32_t{FirstRun_}, kFirstRunDefault);
  WriteProperty(store, kFontKey, label_.font, ambientFont);
  WriteProperty(store, kFontColourKey, static_cast<std::int32_t>(label_.colour),
                kFontColourDefault);
  WriteProperty(store, kVisibleKey, opaque_ ? kStyleOpaque : kStyleTransparent, kStyleOpaque);
  return RefreshLook();
}
