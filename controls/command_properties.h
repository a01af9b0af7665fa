#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "controls/command_state.h"

// The Command button's public properties and their persistence in the container's store. The
// caption label's text, font and colour live here; painting is left to the shell, which runs
// DrawButton with the image a PropertyEffect names.

// A font as the container stores it. Of a stored font only the face name is applied.
struct CaptionFont {
  std::string faceName;
  float size = 0;
  int weight = 0;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int charset = 0;

  bool operator==(const CaptionFont& o) const {
    return faceName == o.faceName && size == o.size && weight == o.weight && italic == o.italic &&
           underline == o.underline && strikethrough == o.strikethrough && charset == o.charset;
  }
};

// A stored value: Boolean, integer (16-bit and 32-bit values alike), text or font.
using PropertyValue = std::variant<bool, std::int32_t, std::string, CaptionFont>;

// The container's property store, implemented by the shell.
class PropertyStore {
 public:
  virtual ~PropertyStore() = default;
  virtual std::optional<PropertyValue> Find(const std::string& key) const = 0;
  virtual void Keep(const std::string& key, const PropertyValue& value) = 0;
  virtual void Forget(const std::string& key) = 0;
};

// The store's rules: reading a missing key, or one that holds another kind of value, gives the
// read default; a value equal to the write default is not kept.
PropertyValue ReadProperty(const PropertyStore& store, const std::string& key,
                           const PropertyValue& readDefault);
void WriteProperty(PropertyStore& store, const std::string& key, const PropertyValue& value,
                   const PropertyValue& writeDefault);

// What a property access asks of the shell besides its value: repaint through DrawButton with
// `paint` (a paint redraws everything, so only the last one of an access is named), and tell the
// container that the property named `changed` changed.
struct PropertyEffect {
  std::optional<StateImage> paint;
  const char* changed = nullptr;
};

template <typename T>
struct PropertyRead {
  T value;
  PropertyEffect effect;
};

// The caption label, which owns the caption: its text, font, colour and whether it is greyed.
struct CaptionLabel {
  std::string text = "Command";
  CaptionFont font;
  std::uint32_t colour = 0;
  bool enabled = true;
};

inline constexpr std::uint8_t kVisibleOpaque = 255;

class CommandProperties {
 public:
  // A freshly created, never stored control: FirstRun 0 and not enabled, caption "Command" in
  // black in `designFont`, background opaque.
  explicit CommandProperties(CaptionFont designFont);

  // The state as it is, without side effects, for the shell and the state machine.
  bool enabledField() const { return Enabled_; }
  std::uint8_t firstRun() const { return FirstRun_; }
  bool backgroundOpaque() const { return opaque_; }
  const CaptionLabel& caption() const { return label_; }

  // Public properties. After SetVisible the shell applies backgroundOpaque() to the surface.
  PropertyRead<std::uint8_t> Visible();
  PropertyEffect SetVisible(std::uint8_t value);
  PropertyRead<std::uint32_t> FontColour();
  PropertyEffect SetFontColour(std::uint32_t colour);
  PropertyRead<bool> Enabled();
  PropertyEffect SetEnabled(bool enabled);
  const std::string& Caption() const { return label_.text; }
  PropertyEffect SetCaption(std::string text);
  const CaptionFont& Font() const { return label_.font; }
  PropertyEffect SetFont(CaptionFont font);

  // Loading from and saving to the container's store; `ambientFont` is the container's font.
  PropertyEffect ReadProperties(const PropertyStore& store, const CaptionFont& ambientFont);
  PropertyEffect WriteProperties(PropertyStore& store, const CaptionFont& ambientFont);

  // Resizing the control.
  PropertyEffect Resize() { return ShowEnabledLook(); }

 private:
  PropertyEffect ShowEnabledLook();
  PropertyEffect RefreshLook();

  bool Enabled_ = false;
  std::uint8_t FirstRun_ = 0;
  bool opaque_ = true;
  CaptionLabel label_;
};
