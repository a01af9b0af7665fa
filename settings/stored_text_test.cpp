#include "settings/stored_text.h"

#include <gtest/gtest.h>

#include "settings/testing/iconv_code_page.h"

namespace {

std::string InCodePage(const char* text, const char* codePage) {
  return IconvConvert(text, "UTF-8", codePage).value();
}

// A code page whose conversion quietly substitutes look-alikes, as a best-fit conversion does.
class BestFitCodePage : public SystemCodePage {
 public:
  std::optional<std::string> FromText(std::string_view text) override {
    std::string bytes(text);
    const std::string accented = "\xC3\xA8";  // è
    for (size_t at; (at = bytes.find(accented)) != std::string::npos;) bytes.replace(at, 2, "e");
    return bytes;
  }
  std::string ToText(std::string_view bytes) override { return std::string(bytes); }
};

TEST(StoredTextTest, TextTheCodePageHoldsIsStoredInIt) {
  IconvCodePage japanese("CP932");
  IconvCodePage western("CP1252");
  EXPECT_EQ(EncodeStoredText("D:\\音楽\\ﾃｰﾏ.mp3", japanese),
            InCodePage("D:\\音楽\\ﾃｰﾏ.mp3", "CP932"));
  EXPECT_EQ(EncodeStoredText("D:\\Musik\\thème.mp3", western), "D:\\Musik\\th\xE8me.mp3");
  EXPECT_EQ(EncodeStoredText("", western), "");
  EXPECT_EQ(EncodeStoredText("C:\\100%.mp3", western), "C:\\100%.mp3");
}

TEST(StoredTextTest, ShiftJisValuesFromAJapaneseSystemRead) {
  IconvCodePage japanese("CP932");
  // "ソ" ends in the byte of "\", which must not split the name.
  const std::string stored = InCodePage("D:\\ソフト\\曲.mp3", "CP932");
  EXPECT_EQ(DecodeStoredText(stored, japanese), "D:\\ソフト\\曲.mp3");
}

TEST(StoredTextTest, EveryTextComesBackUnchanged) {
  IconvCodePage japanese("CP932");
  IconvCodePage western("CP1252");
  BestFitCodePage bestFit;
  const char* texts[] = {
      "D:\\音楽\\thème.mp3",  // outside 1252 and 932 alike
      "D:\\Musik\\thème.mp3",
      "D:\\ソフト\\曲.mp3",
      "C:\\100%.mp3",
      " leading blank",
      "trailing blank ",
      "\"quoted\"",
      "'a.mp3'",
      "line\r\nbreak",
      "<utf-8>D:\\a.mp3",
      "C:\\😀.wav",
      "",
  };
  for (SystemCodePage* codePage :
       {static_cast<SystemCodePage*>(&japanese), static_cast<SystemCodePage*>(&western),
        static_cast<SystemCodePage*>(&bestFit)}) {
    for (const char* text : texts) {
      EXPECT_EQ(DecodeStoredText(EncodeStoredText(text, *codePage), *codePage), text) << text;
    }
  }
}

TEST(StoredTextTest, EscapedFormIsPrintableAsciiBehindTheMarker) {
  IconvCodePage western("CP1252");
  const std::string stored = EncodeStoredText("D:\\音楽\\th è.mp3", western);
  EXPECT_EQ(stored, "<utf-8>D:\\%E9%9F%B3%E6%A5%BD\\th%20%C3%A8.mp3");
  for (unsigned char byte : stored) {
    EXPECT_TRUE(byte > ' ' && byte < 0x7F) << int(byte);
  }
}

TEST(StoredTextTest, LookAlikeConversionIsNotTakenAsExact) {
  BestFitCodePage bestFit;
  EXPECT_EQ(EncodeStoredText("thème", bestFit), "<utf-8>th%C3%A8me");
}

TEST(StoredTextTest, MalformedEscapedFormIsReadAsPlainText) {
  IconvCodePage western("CP1252");
  const char* malformed[] = {
      "<utf-8>D:\\%E9%9F",  // cut inside a character, as at the length limit
      "<utf-8>D:\\%E",      // cut inside an escape
      "<utf-8>%G1",         // not hex
      "<utf-8>%FF",         // not UTF-8
      "<utf-8>%C0%AF",      // overlong "/"
      "<utf-8>%ED%A0%80",   // a surrogate
      "<utf-8>a b",         // a blank the escaped form never holds
  };
  for (const char* stored : malformed) {
    EXPECT_EQ(DecodeStoredText(stored, western), stored);
  }
}

}  // namespace
