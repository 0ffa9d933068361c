#include "platform/core/text/cp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUtf16) {
  std::string all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  const std::u16string wide = platform::Cp1252ToUtf16(all);
  ASSERT_EQ(wide.size(), 256u);
  EXPECT_EQ(wide[0x80], u'\u20AC');
  EXPECT_EQ(wide[0xB0], u'\u00B0');
  EXPECT_EQ(wide[0x81], u'\u0081');
  bool defaulted = true;
  EXPECT_EQ(platform::Utf16ToCp1252(wide, '?', &defaulted), all);
  EXPECT_FALSE(defaulted);
}

TEST(Cp1252, CharactersWithoutAByteBecomeTheDefaultOncePerCharacter) {
  bool defaulted = false;
  // U+0100, then a surrogate pair (one character), then a lone surrogate.
  const std::u16string text =
      u"a\u0100b\xD83D\xDE00"
      u"c\xD800";
  EXPECT_EQ(platform::Utf16ToCp1252(text, '?', &defaulted), "a?b?c?");
  EXPECT_TRUE(defaulted);
}

}  // namespace
