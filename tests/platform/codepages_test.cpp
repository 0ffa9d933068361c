#include "platform/core/text/codepages.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/classes/sysutils.h"
#include "platform/core/os/errors.h"
#include "platform/core/text/case_mapping.h"

namespace platform {
namespace {

std::u16string Wide(std::uint32_t Page, std::string_view Bytes) {
  const int n = MultiByteToWideChar(Page, 0, Bytes.data(), static_cast<int>(Bytes.size()), nullptr, 0);
  std::u16string out(static_cast<std::size_t>(n), u'\0');
  MultiByteToWideChar(Page, 0, Bytes.data(), static_cast<int>(Bytes.size()), out.data(), n);
  return out;
}

std::string Narrow(std::uint32_t Page, std::u16string_view Text, bool* UsedDefault = nullptr) {
  const int n =
      WideCharToMultiByte(Page, 0, Text.data(), static_cast<int>(Text.size()), nullptr, 0, nullptr, UsedDefault);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(Page, 0, Text.data(), static_cast<int>(Text.size()), out.data(), n, nullptr, UsedDefault);
  return out;
}

TEST(CodePages, Page1252MapsItsUpperHalfAndMarksWhatItCannotHold) {
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(Wide(CP_ACP, "\x80 \x96 \xE0"), u"\u20AC \u2013 \u00E0");
  bool usedDefault = false;
  EXPECT_EQ(Narrow(1252, u"\u20AC\u00E0", &usedDefault), "\x80\xE0");
  EXPECT_FALSE(usedDefault);
  EXPECT_EQ(Narrow(1252, u"\u0394x", &usedDefault), "?x");
  EXPECT_TRUE(usedDefault);
  // A zero-terminated source counts its terminator.
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4);
}

TEST(CodePages, Utf8RoundTripsAndBadBytesBecomeReplacements) {
  const std::u16string text = u"\u0141\u00f3d\u017a \U0001F600";
  EXPECT_EQ(Wide(CP_UTF8, Narrow(CP_UTF8, text)), text);
  EXPECT_EQ(Wide(CP_UTF8,
                 "a\xFF"
                 "b"),
            u"a\uFFFDb");
  // UTF-8 holds everything: a default character makes no sense there.
  const char16_t one = u'x';
  char out[4];
  bool used = false;
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, &one, 1, out, 4, nullptr, &used), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(CodePages, OtherPagesConvertAndUnknownOnesFail) {
  EXPECT_TRUE(IsValidCodePage(1253));
  EXPECT_EQ(Wide(1253, "\xC4\xE1"), u"\u0394\u03b1");
  EXPECT_EQ(Narrow(1250, u"\u0141\u017a"), "\xA3\x9F");
  EXPECT_FALSE(IsValidCodePage(12345));
  char16_t buffer[4];
  EXPECT_EQ(MultiByteToWideChar(12345, 0, "a", 1, buffer, 4), 0);
  // A buffer too small is not overrun.
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abcdef", 6, buffer, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(CaseMapping, LettersBeyondAsciiChangeCaseAndCompareAsTheClassLibraryDoes) {
  EXPECT_EQ(CharUpperW(u'\u00e0'), u'\u00c0');
  EXPECT_EQ(CharLowerW(u'\u0394'), u'\u03b4');
  EXPECT_EQ(CharUpperW(u'1'), u'1');
  std::u16string text = u"\u0142\u00f3d\u017a";
  EXPECT_EQ(CharUpperBuffW(text.data(), 2), 2u);
  EXPECT_EQ(text, u"\u0141\u00d3d\u017a");

  EXPECT_EQ(CompareStringW(0, NORM_IGNORECASE, u"depth", u"DEPTH"), CSTR_EQUAL);
  EXPECT_EQ(CompareStringW(0, 0, u"depth", u"DEPTH"), CSTR_GREATER_THAN);
  EXPECT_EQ(CompareStringW(0, NORM_IGNORECASE, u"dep", u"depth"), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringW(0, NORM_IGNORECASE, u"\u00e0", u"\u00c0"), CSTR_EQUAL);

  // The 8-bit comparisons fold accented code page 1252 letters as well.
  EXPECT_TRUE(SameText("Profondit\xE0", "PROFONDIT\xC0"));
  EXPECT_EQ(AnsiUpperCase("caf\xE9"), "CAF\xC9");
  EXPECT_EQ(AnsiLowerCase("CAF\xC9"), "caf\xE9");
  EXPECT_LT(AnsiCompareText("alpha", "BETA"), 0);
  EXPECT_EQ(AnsiCompareText("Alpha", "aLPHA"), 0);
  EXPECT_NE(AnsiCompareStr("Alpha", "aLPHA"), 0);
}

}  // namespace
}  // namespace platform
