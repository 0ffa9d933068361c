#include "support/ui/text_helpers.h"

#include <gtest/gtest.h>

#include "platform/ui/window_classes/presentation.h"

namespace {

using support::TWideStringArray;

class WrapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::ui::InitializeUi();
    dc_ = platform::GetDC(nullptr);
    canvas_.SetHandle(dc_);
  }
  void TearDown() override {
    canvas_.SetHandle(nullptr);
    platform::ReleaseDC(nullptr, dc_);
  }
  std::int32_t W(std::u16string_view s) {
    std::int32_t h = 0, w = 0;
    support::GetTextExtentW(canvas_.Handle(), s, h, w);
    return w;
  }
  TWideStringArray Wrap(std::u16string_view text, std::int32_t& width) {
    TWideStringArray lines;
    support::WrapTextLines(canvas_, text, width, lines);
    return lines;
  }
  platform::HDC dc_ = nullptr;
  platform::TCanvas canvas_;
};

TEST_F(WrapTest, WordsMoveToTheNextLineWhenTheyDoNotFit) {
  std::int32_t width = W(u"alpha") + 2;
  EXPECT_EQ(Wrap(u"alpha beta", width), (TWideStringArray{u"alpha", u"beta"}));
  EXPECT_EQ(width, W(u"alpha"));

  width = 1000;
  EXPECT_EQ(Wrap(u"  one two  three ", width), (TWideStringArray{u"one two  three"}));
}

TEST_F(WrapTest, ACarriageReturnBreaksAndBlankLinesVanish) {
  std::int32_t width = 1000;
  EXPECT_EQ(Wrap(u"first\r\nsecond\r\n\r\nthird", width), (TWideStringArray{u"first", u"second", u"third"}));
  // A line feed alone is a blank inside the line.
  width = 1000;
  EXPECT_EQ(Wrap(u"a\nb", width), (TWideStringArray{u"a\nb"}));
}

TEST_F(WrapTest, WordsTooLongAreCutWithAHyphenAndNothingLoops) {
  std::int32_t width = W(u"abcd-") + 1;
  const TWideStringArray lines = Wrap(u"abcdefghij", width);
  ASSERT_GE(lines.size(), 2u);
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_EQ(lines[i].back(), u'-');
  std::u16string joined;
  for (const auto& l : lines) joined += l.back() == u'-' ? l.substr(0, l.size() - 1) : l;
  EXPECT_EQ(joined, u"abcdefghij");

  width = 1;
  EXPECT_EQ(Wrap(u"xyz", width).size(), 3u);
  width = 100;
  EXPECT_TRUE(Wrap(u" \r\n ", width).empty());
  EXPECT_EQ(width, 0);
}

TEST(FirstWord, KeepsLeadingBlanks) {
  EXPECT_EQ(support::GetFirstWordW(u"  ab cd"), u"  ab");
  EXPECT_EQ(support::GetFirstWordW(u"\r\nx"), u"\r\nx");
  EXPECT_EQ(support::GetFirstWordW(u""), u"");
  EXPECT_TRUE(support::IsBlankCharW(u'\r'));
  EXPECT_FALSE(support::IsBlankCharW(u'\t'));
}

}  // namespace
