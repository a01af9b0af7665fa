#include "settings/testing/iconv_code_page.h"

#include <iconv.h>

#include <cerrno>

namespace {

constexpr char kUtf8[] = "UTF-8";
constexpr char kReplacementCharacter[] = "\xEF\xBF\xBD";  // U+FFFD

}  // namespace

std::optional<std::string> IconvConvert(std::string_view text, const char* from, const char* to) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string input(text);
  std::string output(input.size() * 4 + 4, '\0');
  char* in = input.data();
  size_t inLeft = input.size();
  char* out = output.data();
  size_t outLeft = output.size();
  const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
  iconv_close(converter);
  if (result == static_cast<size_t>(-1) || inLeft != 0) return std::nullopt;
  output.resize(output.size() - outLeft);
  return output;
}

std::optional<std::string> IconvCodePage::FromText(std::string_view text) {
  return IconvConvert(text, kUtf8, name_.c_str());
}

// Converts piece by piece so that a byte without meaning becomes U+FFFD and the rest still reads,
// as the system conversion does.
std::string IconvCodePage::ToText(std::string_view bytes) {
  std::string text;
  size_t at = 0;
  while (at < bytes.size()) {
    // One or two bytes make a character in the code pages used here.
    if (auto one = IconvConvert(bytes.substr(at, 1), name_.c_str(), kUtf8)) {
      text += *one;
      at += 1;
    } else if (auto two = IconvConvert(bytes.substr(at, 2), name_.c_str(), kUtf8);
               two && bytes.size() - at >= 2) {
      text += *two;
      at += 2;
    } else {
      text += kReplacementCharacter;
      at += 1;
    }
  }
  return text;
}
