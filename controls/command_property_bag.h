#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "controls/command_properties.h"

// A container's property store for Command buttons: the stored values of one button, by key.
// The container fills it from its own design data, hands it to the button to load from and
// gets the button's values back in it when the button saves. The store's rules (read and write
// defaults, values equal to the write default not kept) are applied by ReadProperty and
// WriteProperty; the bag only keeps what it is given.
class CommandPropertyBag : public PropertyStore {
 public:
  using Values = std::map<std::string, PropertyValue>;

  CommandPropertyBag() = default;
  // A bag holding these values, e.g.
  // {{"Caption", std::string("OK")}, {"Visible", std::int32_t{0}}}.
  CommandPropertyBag(std::initializer_list<Values::value_type> values) : values_(values) {}

  std::optional<PropertyValue> Find(const std::string& key) const override;
  void Keep(const std::string& key, const PropertyValue& value) override;
  void Forget(const std::string& key) override;

  const Values& values() const { return values_; }

 private:
  Values values_;
};
