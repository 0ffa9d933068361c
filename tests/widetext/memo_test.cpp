#include <gtest/gtest.h>

#include "tests/widetext/wide_form_fixture.h"
#include "widetext/standard/memo.h"
#include "widetext/wtx_string_list.h"

namespace widetext::testing {
namespace {

class Memo : public WideFormTest {
 protected:
  void SetUp() override {
    WideFormTest::SetUp();
    memo_ = new TWtxMemo(form_);
    memo_->SetParent(form_);
  }
  TWtxMemo* memo_ = nullptr;
};

TEST_F(Memo, LinesHoldTextTheCodePageCannot) {
  TWtxMemoStrings& lines = memo_->GetLines();
  lines.Add(kGreek);
  lines.Add(u"");
  lines.Add(kPolish);
  ASSERT_EQ(lines.GetCount(), 3);
  EXPECT_EQ(lines.Get(0), kGreek);
  EXPECT_EQ(lines.Get(1), u"");
  EXPECT_EQ(lines.Get(2), kPolish);
  EXPECT_EQ(lines.GetTextStr(), kGreek + u"\r\n\r\n" + kPolish + u"\r\n");
  EXPECT_TRUE(platform::IsWindowUnicode(memo_->WindowHandle()));
}

TEST_F(Memo, LinesGoInBeforeAnIndexOrAfterTheLastLine) {
  TWtxMemoStrings& lines = memo_->GetLines();
  memo_->SetText(u"A");
  lines.Insert(1, u"Σ");
  EXPECT_EQ(memo_->GetText(), u"A\r\nΣ");
  memo_->SetText(u"A\r\n");
  lines.Insert(1, u"Σ");
  EXPECT_EQ(memo_->GetText(), u"A\r\nΣ\r\n");
  lines.Insert(0, u"ż");
  EXPECT_EQ(memo_->GetText(), u"ż\r\nA\r\nΣ\r\n");
  EXPECT_THROW(lines.Insert(5, u"x"), platform::EStringListError);
  EXPECT_THROW(lines.Insert(-1, u"x"), platform::EStringListError);
  EXPECT_EQ(lines.GetCount(), 3);
}

TEST_F(Memo, LinesAreReplacedDeletedAndClearedInPlace) {
  TWtxMemoStrings& lines = memo_->GetLines();
  lines.SetTextStr(u"one\ntwo\u2028three");
  EXPECT_EQ(memo_->GetText(), u"one\r\ntwo\r\nthree");
  lines.Put(1, u"δύο");
  EXPECT_EQ(lines.Get(1), u"δύο");
  lines.Delete(0);
  EXPECT_EQ(lines.Get(0), u"δύο");
  EXPECT_EQ(lines.GetCount(), 2);
  lines.Clear();
  EXPECT_EQ(lines.GetCount(), 0);

  TWtxStringList source;
  source.Add(kGreek);
  source.Add(kPolish);
  memo_->SetLines(&source);
  EXPECT_EQ(memo_->GetText(), kGreek + u"\r\n" + kPolish + u"\r\n");
}

TEST_F(Memo, ALineLongerThanTheWindowCanHandIsRefused) {
  memo_->SetText(std::u16string(70000, u'ω'));
  EXPECT_THROW(memo_->GetLines().Get(0), platform::EOutOfResources);
}

TEST_F(Memo, TheSelectionIsReplacedWithWideText) {
  memo_->SetText(u"Depth: ");
  memo_->SetSelStart(7);
  memo_->SetSelText(u"Βάθος\r\n");
  EXPECT_EQ(memo_->GetText(), u"Depth: Βάθος\r\n");
  memo_->SetSelStart(7);
  memo_->SetSelLength(5);
  EXPECT_EQ(memo_->GetSelText(), u"Βάθος");
}

TEST_F(Memo, TheTextSurvivesANewWindow) {
  memo_->GetLines().Add(kPolish);
  memo_->RecreateWnd();
  EXPECT_EQ(memo_->GetLines().Get(0), kPolish);
}

}  // namespace
}  // namespace widetext::testing
