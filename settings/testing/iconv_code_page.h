#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/stored_text.h"

// A system code page for tests, converted with iconv ("CP932", "CP936", "CP1252", "UTF-8" for
// code page 65001).
class IconvCodePage : public SystemCodePage {
 public:
  explicit IconvCodePage(std::string name) : name_(std::move(name)) {}
  std::optional<std::string> FromText(std::string_view text) override;
  std::string ToText(std::string_view bytes) override;

 private:
  std::string name_;
};

// `text` converted from one iconv encoding to another; std::nullopt when a character has no form
// in the target or the input is malformed.
std::optional<std::string> IconvConvert(std::string_view text, const char* from, const char* to);
