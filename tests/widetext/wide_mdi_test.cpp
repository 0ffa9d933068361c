#include <gtest/gtest.h>

#include <QWidget>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/window_system/mdi.h"
#include "platform/ui/controls/extctrls.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/widetext/golden_helpers.h"
#include "tests/widetext/platform_version.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/controls/wide_form.h"
#include "widetext/standard/static_text.h"

namespace widetext::testing {
namespace {

// A wide MDI frame as the application's main form for each test; the
// previous main form comes back after it.
class WideMdi : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::InitializeApplication(); }
  void SetUp() override {
    previousMain_ = platform::Application->MainForm();
    Frame = new TWtxForm(nullptr, platform::TCustomForm::CreateNew);
    Frame->SetFormStyle(platform::fsMDIForm);
    Frame->SetBounds(40, 40, 640, 420);
    Frame->SetCaption(u"Πλαίσιο");
    platform::Application->SetMainForm(Frame);
  }
  void TearDown() override {
    platform::Application->SetMainForm(previousMain_);
    platform::Free(Frame);
    platform::Application->ProcessMessages();
  }
  TWtxForm* NewChild(const std::u16string& Caption) {
    auto* child = new TWtxForm(nullptr, platform::TCustomForm::CreateNew);
    child->SetFormStyle(platform::fsMDIChild);
    child->SetBounds(10, 30, 260, 150);
    child->SetCaption(Caption);
    return child;
  }
  platform::HWND Active() {
    return reinterpret_cast<platform::HWND>(
        platform::SendMessageW(Frame->ClientHandle(), platform::WM_MDIGETACTIVE, 0, 0));
  }
  TWtxForm* Frame = nullptr;

 private:
  platform::TCustomForm* previousMain_ = nullptr;
};

TEST_F(WideMdi, AChildIsMadeInTheFramesClientWindowAndLeavesThroughIt) {
  Frame->Handle();
  const platform::HWND client = Frame->ClientHandle();
  ASSERT_TRUE(platform::IsMdiClient(client));
  EXPECT_EQ(platform::GetParent(client), Frame->WindowHandle());

  TWtxForm* first = NewChild(kGreek);
  first->Show();
  const platform::HWND h = first->WindowHandle();
  EXPECT_TRUE(platform::IsWindowUnicode(h));
  EXPECT_EQ(platform::GetParent(h), client);
  EXPECT_TRUE(platform::GetWindowLong(h, platform::GWL_EXSTYLE) & platform::WS_EX_MDICHILD);
  EXPECT_TRUE(first->FormState & platform::fsCreatedMDIChild);
  EXPECT_EQ(platform::WindowTextW(h), kGreek);

  TWtxForm* second = NewChild(kPolish);
  second->Show();
  EXPECT_EQ(Frame->ActiveMDIChild(), second);
  // Its default procedure is the MDI child's: a press on its title
  // activates it.
  platform::SendMessageW(h, platform::WM_NCLBUTTONDOWN, platform::HTCAPTION, 0);
  EXPECT_EQ(Active(), h);

  platform::Free(first);
  EXPECT_FALSE(platform::IsWindow(h));
  EXPECT_EQ(Frame->ActiveMDIChild(), second);
  platform::Free(second);
  EXPECT_EQ(Active(), nullptr);
}

TEST_F(WideMdi, WithoutAnMdiMainFormNoChildCanBeMade) {
  platform::TForm plain(nullptr, platform::TCustomForm::CreateNew);
  platform::Application->SetMainForm(&plain);
  TWtxForm* child = NewChild(kGreek);
  try {
    child->Handle();
    ADD_FAILURE() << "made without an MDI main form";
  } catch (const platform::EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Cannot create form. No MDI forms are currently active");
  }
  EXPECT_FALSE(child->HandleAllocated());
  platform::Free(child);
  platform::Application->SetMainForm(Frame);
}

TEST_F(WideMdi, TheFramesClientFillsWhatItsAlignedControlsLeave) {
  auto* bar = new platform::TPanel(Frame);
  bar->SetParent(Frame);
  bar->SetHeight(30);
  bar->SetAlign(platform::alTop);
  Frame->Handle();
  platform::RECT b = platform::GetWindowBounds(Frame->ClientHandle());
  EXPECT_EQ(b, (platform::RECT{0, 30, Frame->ClientWidth(), Frame->ClientHeight()}));
  Frame->SetBounds(40, 40, 500, 300);
  b = platform::GetWindowBounds(Frame->ClientHandle());
  EXPECT_EQ(b, (platform::RECT{0, 30, 500, 300}));
}

TEST_F(WideMdi, TheFrameKeepsItsWideCaptionAndItsTrapThroughANewWindow) {
  Frame->Handle();
  Frame->RecreateWnd();
  EXPECT_TRUE(platform::IsMdiClient(Frame->ClientHandle()));
  EXPECT_EQ(platform::WindowTextW(Frame->WindowHandle()), u"Πλαίσιο");
  Frame->SetCaption(kPolish);
  EXPECT_EQ(Frame->GetCaption(), kPolish);
}

TEST_F(WideMdi, OnAnEightBitPlatformTheChildIsTheClassLibrarys) {
  Frame->Handle();
  const ScopedPlatformVersion ansi(kAnsiPlatform);
  TWtxForm* child = NewChild(kGreek);
  child->Show();
  EXPECT_FALSE(platform::IsWindowUnicode(child->WindowHandle()));
  EXPECT_EQ(platform::GetParent(child->WindowHandle()), Frame->ClientHandle());
  EXPECT_EQ(child->GetCaption(), u"?????");
  platform::Free(child);
}

TEST_F(WideMdi, ShowsTwoChildrenSideBySideInTheFrame) {
  Frame->TileMode = platform::tbVertical;
  Frame->Show();
  std::vector<std::pair<TWtxForm*, TWtxStaticText*>> children;
  for (const std::u16string& caption : {std::u16string(u"Głębokość – βάθος"), std::u16string(u"Prędkość – ταχύτητα")}) {
    TWtxForm* child = NewChild(caption);
    child->SetColor(platform::clWindow);
    auto* text = new TWtxStaticText(child);
    text->SetParent(child);
    text->SetBounds(12, 12, 0, 0);
    text->SetCaption(caption);
    child->Show();
    children.emplace_back(child, text);
  }
  Frame->Tile();
  platform::Application->ProcessMessages();
  EXPECT_TRUE(platform::ui::SaveWindowImage(Frame->Handle(), "wide_mdi_frame.png"));
  const QImage picture = platform::ui::Grab(Frame->Handle());
  QWidget* frame = platform::ui::WidgetOf(Frame->Handle());

  // Each child takes one half of the client window, nearly its whole
  // height (less the child's own frame), and shows its text there.
  const platform::RECT client = platform::GetWindowBounds(Frame->ClientHandle());
  const int half = client.Width() / 2;
  std::set<int> halves;
  for (const auto& [child, text] : children) {
    const platform::RECT place = platform::GetWindowBounds(child->WindowHandle());
    const int left = place.left < half ? 0 : half;
    halves.insert(left);
    EXPECT_LE(place.right, left + half);
    EXPECT_GT(place.Width(), half * 9 / 10);
    EXPECT_GT(place.Height(), client.Height() * 9 / 10);
    const QWidget* shown = platform::ui::WidgetOf(text->Handle());
    const QRect at(shown->mapTo(frame, QPoint(0, 0)), shown->size());
    EXPECT_GE(at.left(), client.left + left);
    EXPECT_LT(at.right(), client.left + left + half);
    EXPECT_TRUE(golden::ShowsTextIn(picture, at, {platform::ui::ToQString(text->GetCaption()), shown->font()}));
  }
  EXPECT_EQ(halves, (std::set<int>{0, half}));
  while (platform::TCustomForm* child = Frame->ActiveMDIChild()) platform::Free(child);
}

}  // namespace
}  // namespace widetext::testing
