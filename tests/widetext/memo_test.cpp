#include <gtest/gtest.h>

#include <vector>

#include "platform/core/window_system/system_settings.h"
#include "tests/widetext/platform_version.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/exceptions.h"
#include "widetext/standard/memo.h"
#include "widetext/wtx_string_list.h"

namespace widetext::testing {
namespace {

// A memo that notes each read-only switch its window is sent, and whether
// the window was already read-only when the switch arrived.
class ReadOnlyProbeMemo : public TWtxMemo {
 public:
  using TWtxMemo::TWtxMemo;
  void WndProc(platform::TMessage& Message) override {
    if (Message.Msg == platform::EM_SETREADONLY) {
      ReadOnlySwitches.push_back(Message.WParam);
      ReadOnlyBeforeSwitch.push_back(
          (platform::GetWindowLong(WindowHandle(), platform::GWL_STYLE) & platform::ES_READONLY) != 0);
    }
    TWtxMemo::WndProc(Message);
  }
  std::vector<platform::WPARAM> ReadOnlySwitches;
  std::vector<bool> ReadOnlyBeforeSwitch;
};

// The system's locale is a far-east one while it lives.
class ScopedFarEast {
 public:
  explicit ScopedFarEast(bool Enabled) : previous_(platform::SetFarEastEnabled(Enabled)) {}
  ~ScopedFarEast() { platform::SetFarEastEnabled(previous_); }
  ScopedFarEast(const ScopedFarEast&) = delete;
  ScopedFarEast& operator=(const ScopedFarEast&) = delete;

 private:
  bool previous_;
};

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

// How a read-only memo's window is made: on an 8-bit platform with a
// far-east locale writable and then switched to read-only; elsewhere
// read-only from the start.
TEST_F(Memo, AReadOnlyMemoOfAFarEastEightBitSystemIsSwitchedToReadOnlyAfterItsWindowIsMade) {
  const auto make = [&] {
    auto* memo = new ReadOnlyProbeMemo(Form);
    memo->SetReadOnly(true);
    EXPECT_FALSE(memo->HandleAllocated());
    memo->SetParent(Form);
    memo->Handle();
    EXPECT_NE(platform::GetWindowLong(memo->WindowHandle(), platform::GWL_STYLE) & platform::ES_READONLY, 0);
    const std::vector<platform::WPARAM> switches = memo->ReadOnlySwitches;
    EXPECT_EQ(memo->ReadOnlyBeforeSwitch, std::vector<bool>(switches.size(), false));
    platform::Free(memo);
    return switches;
  };
  {
    const ScopedFarEast farEast(true);
    {
      const ScopedPlatformVersion ansi(kAnsiPlatform);
      EXPECT_EQ(make(), std::vector<platform::WPARAM>{1});
    }
    EXPECT_TRUE(make().empty());
  }
  const ScopedPlatformVersion ansi(kAnsiPlatform);
  EXPECT_TRUE(make().empty());
}

// The line positions of a Unicode window are UTF-16 units; an 8-bit
// window's lines are the class library's.
TEST_F(Memo, LinePositionsAreTakenOnlyFromAUnicodeWindowOnAUnicodePlatform) {
  MemoControl->GetLines().Add(kGreek);
  {
    const ScopedPlatformVersion ansi(kAnsiPlatform);
    try {
      MemoControl->GetLines().Get(0);
      ADD_FAILURE() << "no error";
    } catch (const EWtxInternalError& e) {
      EXPECT_NE(std::string(e.what()).find("WtxStdCtrls"), std::string::npos) << e.what();
    }
    EXPECT_THROW(MemoControl->GetLines().Insert(1, u"x"), EWtxInternalError);

    auto* memo = new TWtxMemo(Form);
    memo->SetParent(Form);
    TWtxMemoStrings& lines = memo->GetLines();
    lines.Add(kGreek);
    lines.Insert(0, u"Łódź");
    lines.Put(1, u"Ταχύτητα 5");
    EXPECT_FALSE(platform::IsWindowUnicode(memo->WindowHandle()));
    EXPECT_EQ(lines.GetCount(), 2);
    EXPECT_EQ(lines.Get(0), u"?ód?");
    EXPECT_EQ(lines.Get(1), u"???????? 5");
    platform::Free(memo);
  }
  EXPECT_EQ(MemoControl->GetLines().Get(0), kGreek);
}

TEST_F(Memo, TheTextSurvivesANewWindow) {
  MemoControl->GetLines().Add(kPolish);
  MemoControl->RecreateWnd();
  EXPECT_EQ(MemoControl->GetLines().Get(0), kPolish);
}

}  // namespace
}  // namespace widetext::testing
