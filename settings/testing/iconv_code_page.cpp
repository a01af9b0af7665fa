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
  if (std::optional<std::string> whole = IconvConvert(bytes, name_.c_str(), kUtf8)) return *whole;
  constexpr size_t kLongestCharacter = 4;  // bytes, in UTF-8; two in the double-byte code pages
  std::string text;
  size_t at = 0;
  while (at < bytes.size()) {
    size_t length = 1;
    std::optional<std::string> character;
    for (; length <= kLongestCharacter && at + length <= bytes.size(); ++length) {
      if ((character = IconvConvert(bytes.substr(at, length), name_.c_str(), kUtf8))) break;
    }
    if (character) {
      text += *character;
      at += length;
    } else {
      text += kReplacementCharacter;
      at += 1;
    }
  }
  return text;
}
