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
    MemoControl = new TWtxMemo(Form);
    MemoControl->SetParent(Form);
  }
  TWtxMemo* MemoControl = nullptr;
};

TEST_F(Memo, LinesHoldTextTheCodePageCannot) {
  TWtxMemoStrings& lines = MemoControl->GetLines();
  lines.Add(kGreek);
  lines.Add(u"");
  lines.Add(kPolish);
  ASSERT_EQ(lines.GetCount(), 3);
  EXPECT_EQ(lines.Get(0), kGreek);
  EXPECT_EQ(lines.Get(1), u"");
  EXPECT_EQ(lines.Get(2), kPolish);
  EXPECT_EQ(lines.GetTextStr(), kGreek + u"\r\n\r\n" + kPolish + u"\r\n");
  EXPECT_TRUE(platform::IsWindowUnicode(MemoControl->WindowHandle()));
}

TEST_F(Memo, LinesGoInBeforeAnIndexOrAfterTheLastLine) {
  TWtxMemoStrings& lines = MemoControl->GetLines();
  MemoControl->SetText(u"A");
  lines.Insert(1, u"Σ");
  EXPECT_EQ(MemoControl->GetText(), u"A\r\nΣ");
  MemoControl->SetText(u"A\r\n");
  lines.Insert(1, u"Σ");
  EXPECT_EQ(MemoControl->GetText(), u"A\r\nΣ\r\n");
  lines.Insert(0, u"ż");
  EXPECT_EQ(MemoControl->GetText(), u"ż\r\nA\r\nΣ\r\n");
  EXPECT_THROW(lines.Insert(5, u"x"), platform::EStringListError);
  EXPECT_THROW(lines.Insert(-1, u"x"), platform::EStringListError);
  EXPECT_EQ(lines.GetCount(), 3);
}

TEST_F(Memo, LinesAreReplacedDeletedAndClearedInPlace) {
  TWtxMemoStrings& lines = MemoControl->GetLines();
  lines.SetTextStr(u"one\ntwo\u2028three");
  EXPECT_EQ(MemoControl->GetText(), u"one\r\ntwo\r\nthree");
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
  MemoControl->SetLines(&source);
  EXPECT_EQ(MemoControl->GetText(), kGreek + u"\r\n" + kPolish + u"\r\n");
}

TEST_F(Memo, ALineLongerThanTheWindowCanHandIsRefused) {
  MemoControl->SetText(std::u16string(70000, u'ω'));
  EXPECT_THROW(MemoControl->GetLines().Get(0), platform::EOutOfResources);
}

TEST_F(Memo, TheSelectionIsReplacedWithWideText) {
  MemoControl->SetText(u"Depth: ");
  MemoControl->SetSelStart(7);
  MemoControl->SetSelText(u"Βάθος\r\n");
  EXPECT_EQ(MemoControl->GetText(), u"Depth: Βάθος\r\n");
  MemoControl->SetSelStart(7);
  MemoControl->SetSelLength(5);
  EXPECT_EQ(MemoControl->GetSelText(), u"Βάθος");
}

TEST_F(Memo, TheTextSurvivesANewWindow) {
  MemoControl->GetLines().Add(kPolish);
  MemoControl->RecreateWnd();
  EXPECT_EQ(MemoControl->GetLines().Get(0), kPolish);
}

}  // namespace
}  // namespace widetext::testing
