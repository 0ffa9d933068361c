#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QImage>
#include <QStyleOptionComboBox>

#include <functional>
#include <string>

#include "platform/core/window_system/owner_draw.h"
#include "platform/ui/window_classes/gdi.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/widetext/golden_helpers.h"
#include "tests/widetext/platform_version.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/controls/wide_canvas.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/list_box.h"

namespace widetext::testing {
namespace {

using platform::TRect;

class OwnerDrawnLists : public WideFormTest {
 protected:
  void SetUp() override {
    WideFormTest::SetUp();
    Form->Show();
  }
};

TEST_F(OwnerDrawnLists, AnOwnerDrawnListBoxDrawsItsWideItemsThroughTheControl) {
  auto* list = new TWtxListBox(Form);
  list->SetParent(Form);
  list->SetBounds(8, 8, 200, 120);
  list->SetStyle(platform::lbOwnerDrawFixed);
  list->SetItemHeight(20);
  for (const std::u16string& item : {kGreek, kPolish, std::u16string(u"三角")}) list->GetItems().Add(item);
  std::vector<int> drawn;
  const QImage plain = platform::ui::Grab(list->Handle());

  auto* view = qobject_cast<QAbstractScrollArea*>(platform::ui::WidgetOf(list->Handle()));
  ASSERT_NE(view, nullptr);
  const QPoint origin = view->viewport()->mapTo(view, QPoint(0, 0));
  for (int i = 0; i < 3; ++i) {
    TRect r{};
    platform::SendMessageW(list->Handle(), platform::LB_GETITEMRECT, i, reinterpret_cast<platform::LPARAM>(&r));
    EXPECT_EQ(r.Height(), 20);
    const std::u16string text = list->GetItems().Get(i);
    EXPECT_TRUE(golden::MatchesDrawing(plain, origin, r,
                                       [&](platform::TCanvas& C, TRect R) {
                                         C.Font().Assign(&list->Font());
                                         C.Brush().SetColor(platform::clWindow);
                                         C.FillRect(R);
                                         R.left += 2;
                                         platform::DrawTextW(
                                             C.Handle(), text.c_str(), static_cast<int>(text.size()), &R,
                                             platform::DT_SINGLELINE | platform::DT_VCENTER | platform::DT_NOPREFIX);
                                       }))
        << "item " << i;
  }

  // An item drawn by OnDrawItem instead.
  list->OnDrawItem = [&](platform::TWinControl*, int Index, TRect Rect, platform::TOwnerDrawState State) {
    drawn.push_back(Index);
    list->Canvas().Brush().SetColor((State & platform::odSelected) ? platform::clRed : platform::clLime);
    list->Canvas().FillRect(Rect);
  };
  list->SetItemIndex(1);
  const QImage own = platform::ui::Grab(list->Handle());
  EXPECT_EQ(drawn.size(), 3u);
  TRect second{};
  platform::SendMessageW(list->Handle(), platform::LB_GETITEMRECT, 1, reinterpret_cast<platform::LPARAM>(&second));
  EXPECT_EQ(own.pixelColor(origin + QPoint(second.left + 4, second.top + 10)), QColor(255, 0, 0));
  EXPECT_EQ(own.pixelColor(origin + QPoint(second.left + 4, second.top - 10)), QColor(0, 255, 0));
}

TEST_F(OwnerDrawnLists, AnOwnerDrawnComboBoxDrawsItsWideTextOnItsFace) {
  auto* combo = new TWtxComboBox(Form);
  combo->SetParent(Form);
  combo->SetBounds(8, 8, 200, 24);
  combo->SetStyle(platform::csOwnerDrawFixed);
  combo->GetItems().Add(u"COM1");
  combo->GetItems().Add(kPolish);
  combo->SetItemIndex(1);
  std::vector<platform::DRAWITEMSTRUCT> faces;
  const QImage shown = platform::ui::Grab(combo->Handle());

  // The face is drawn where the combo box's style puts its text.
  auto* box = qobject_cast<QComboBox*>(platform::ui::WidgetOf(combo->Handle()));
  ASSERT_NE(box, nullptr);
  QStyleOptionComboBox option;
  option.initFrom(box);
  option.editable = false;
  const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
  const TRect face{field.left(), field.top(), field.right() + 1, field.bottom() + 1};
  EXPECT_TRUE(golden::MatchesDrawing(shown, QPoint(0, 0), face, [&](platform::TCanvas& C, TRect R) {
    C.Font().Assign(&combo->Font());
    C.Brush().SetColor(platform::clWindow);
    C.FillRect(R);
    WideCanvasTextOut(C, R.left + 2, R.top, kPolish);
  }));
}

TEST_F(OwnerDrawnLists, AVirtualListBoxAnswersForItsTextsFromItsWideDataEvent) {
  auto* list = new TWtxListBox(Form);
  list->SetParent(Form);
  list->SetStyle(platform::lbVirtual);
  list->OnDataW = [](platform::TWinControl*, int Index, std::u16string& Data) {
    if (Index == 0) Data = kGreek;
  };
  list->SetCount(2);
  const platform::HWND window = list->Handle();
  EXPECT_EQ(platform::SendMessageW(window, platform::LB_GETTEXTLEN, 0, 0), 5);
  char16_t wide[8] = {};
  EXPECT_EQ(platform::SendMessageW(window, platform::LB_GETTEXT, 0, reinterpret_cast<platform::LPARAM>(wide)), 5);
  EXPECT_EQ(std::u16string(wide), kGreek);
  // No text for the second item.
  EXPECT_EQ(platform::SendMessageW(window, platform::LB_GETTEXTLEN, 1, 0), platform::LB_ERR);
  EXPECT_EQ(platform::SendMessageW(window, platform::LB_GETTEXT, 1, reinterpret_cast<platform::LPARAM>(wide)),
            platform::LB_ERR);
  // The list's own items read the data event, whatever the window answers.
  EXPECT_EQ(list->GetItems().Get(1), u"");
  EXPECT_EQ(list->GetItems().Get(0), kGreek);
}

TEST_F(OwnerDrawnLists, OnAnEightBitPlatformAVirtualListBoxAnswersInEightBits) {
  const ScopedPlatformVersion eightBit(kAnsiPlatform);
  auto* list = new TWtxListBox(Form);
  list->SetParent(Form);
  list->SetStyle(platform::lbVirtual);
  list->OnDataW = [](platform::TWinControl*, int, std::u16string& Data) { Data = u"Łódź"; };
  list->SetCount(1);
  char ansi[8] = {};
  EXPECT_EQ(list->Perform(platform::LB_GETTEXTLEN, 0, 0), 4);
  EXPECT_EQ(list->Perform(platform::LB_GETTEXT, 0, reinterpret_cast<platform::LPARAM>(ansi)), 4);
  EXPECT_STREQ(ansi,
               "?\xF3"
               "d?");
}

}  // namespace
}  // namespace widetext::testing
