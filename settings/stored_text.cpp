#include "settings/stored_text.h"

namespace {

constexpr char kEscape = '%';
constexpr char kHexDigits[] = "0123456789ABCDEF";

// Bytes that stand for themselves in the escaped form: printable ASCII without the blank.
bool IsKeptInEscapedForm(unsigned char byte) {
  return byte > ' ' && byte < 0x7F && byte != kEscape;
}

bool IsControl(unsigned char byte) { return byte < ' ' || byte == 0x7F; }

// Whether the profile functions hand `text` back unchanged and it cannot be taken for the
// escaped form: no control characters or line breaks, no surrounding blanks, no leading quote.
bool SurvivesProfileFile(std::string_view text) {
  if (text.empty()) return true;
  for (unsigned char byte : text) {
    if (IsControl(byte)) return false;
  }
  return text.front() != ' ' && text.back() != ' ' && text.front() != '"' && text.front() != '\'' &&
         text.substr(0, kUtf8TextMarker.size()) != kUtf8TextMarker;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong forms, no surrogates,
// nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view text) {
  size_t at = 0;
  while (at < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;  // allowed range of the first continuation byte
    if (lead < 0x80) {
      length = 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (text.size() - at < length) return false;
    for (size_t i = 1; i < length; ++i) {
      const unsigned char next = static_cast<unsigned char>(text[at + i]);
      const bool inRange = i == 1 ? (next >= low && next <= high) : (next >= 0x80 && next <= 0xBF);
      if (!inRange) return false;
    }
    at += length;
  }
  return true;
}

std::string Escape(std::string_view text) {
  std::string stored(kUtf8TextMarker);
  for (unsigned char byte : text) {
    if (IsKeptInEscapedForm(byte)) {
      stored += static_cast<char>(byte);
    } else {
      stored += kEscape;
      stored += kHexDigits[byte >> 4];
      stored += kHexDigits[byte & 0x0F];
    }
  }
  return stored;
}

// The text of an escaped form without its marker; std::nullopt when it is not well formed.
std::optional<std::string> Unescape(std::string_view escaped) {
  std::string text;
  for (size_t at = 0; at < escaped.size(); ++at) {
    const unsigned char byte = static_cast<unsigned char>(escaped[at]);
    if (byte == kEscape) {
      if (escaped.size() - at < 3) return std::nullopt;
      const int high = HexValue(escaped[at + 1]);
      const int low = HexValue(escaped[at + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      text += static_cast<char>(high * 16 + low);
      at += 2;
    } else if (IsKeptInEscapedForm(byte)) {
      text += static_cast<char>(byte);
    } else {
      return std::nullopt;
    }
  }
  if (!IsValidUtf8(text)) return std::nullopt;
  return text;
}

}  // namespace

std::string EncodeStoredText(std::string_view text, SystemCodePage& codePage) {
  if (SurvivesProfileFile(text)) {
    // Checked both ways, so that a conversion that substitutes a look-alike ("e" for "è") is
    // not taken for an exact one.
    const std::optional<std::string> bytes = codePage.FromText(text);
    if (bytes && codePage.ToText(*bytes) == text) return *bytes;
  }
  return Escape(text);
}

std::string DecodeStoredText(std::string_view stored, SystemCodePage& codePage) {
  if (stored.substr(0, kUtf8TextMarker.size()) == kUtf8TextMarker) {
    if (std::optional<std::string> text = Unescape(stored.substr(kUtf8TextMarker.size()))) {
      return *text;
    }
  }
  return codePage.ToText(stored);
}
