// The map behind a container's stored Command button properties.
#include "controls/command_property_bag.h"

std::optional<PropertyValue> CommandPropertyBag::Find(const std::string& key) const {
  const auto found = values_.find(key);
  if (found == values_.end()) {
    return std::nullopt;
  }
  return found->second;
}

void CommandPropertyBag::Keep(const std::string& key, const PropertyValue& value) {
  values_[key] = value;
}

void CommandPropertyBag::Forget(const std::string& key) { values_.erase(key); }
