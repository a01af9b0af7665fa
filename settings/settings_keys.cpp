#include "settings/settings_keys.h"

#include <optional>

bool CarriesBytes(std::string_view bytes, SystemCodePage& codePage) {
  const std::optional<std::string> again = codePage.FromText(codePage.ToText(bytes));
  return again && *again == bytes;
}

bool WritesShiftJisKeys(SystemCodePage& codePage) {
  for (const SettingsKey& key : kSettingsKeys) {
    if (!CarriesBytes(key.shiftJisName, codePage)) return false;
  }
  return true;
}

std::vector<std::string> KeyNamesToRead(const SettingsKey& key, SystemCodePage& codePage) {
  std::vector<std::string> names{std::string(key.asciiName)};
  if (CarriesBytes(key.shiftJisName, codePage)) names.emplace_back(key.shiftJisName);
  return names;
}
