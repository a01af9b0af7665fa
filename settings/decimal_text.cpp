#include "settings/decimal_text.h"

#include <charconv>
#include <cstdlib>
#include <string>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipDigits(std::string_view text, size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// Whether the whole text has the form of a decimal number.
bool IsDecimalNumber(std::string_view text) {
  size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  const size_t mantissaStart = at;
  at = SkipDigits(text, at);
  size_t digits = at - mantissaStart;
  if (at < text.size() && text[at] == '.') {
    const size_t fractionStart = ++at;
    at = SkipDigits(text, at);
    digits += at - fractionStart;
  }
  if (digits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const size_t exponentStart = at;
    at = SkipDigits(text, at);
    if (at == exponentStart) return false;
  }
  return at == text.size();
}

}  // namespace

std::optional<double> DecimalTextValue(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (!IsDecimalNumber(text)) return std::nullopt;

  const size_t numberStart = text[0] == '+' ? 1 : 0;  // from_chars takes no "+"
  double value = 0;
  const auto result = std::from_chars(text.data() + numberStart, text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // strtod gives the infinity of the right sign for an overflow and zero for an underflow; the
    // form is already checked, so the C locale's reading is the same.
    const std::string copy(text);
    return std::strtod(copy.c_str(), nullptr);
  }
  if (result.ec != std::errc()) return std::nullopt;
  return value;
}
