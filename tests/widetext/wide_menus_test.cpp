#include "widetext/menus/wide_menus.h"

#include <gtest/gtest.h>

#include "platform/ui/controls/forms.h"
#include "widetext/menus/wide_actions.h"

namespace {

using namespace widetext;
using platform::scCtrl;
using platform::TMenuItem;

class WideMenus : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::InitializeApplication(); }
  void SetUp() override {
    popup_ = new platform::TPopupMenu(nullptr);
    item_ = new TWtxMenuItem(popup_);
    popup_->Items()->Add(item_);
  }
  void TearDown() override { platform::Free(popup_); }
  platform::TPopupMenu* popup_ = nullptr;
  TWtxMenuItem* item_ = nullptr;
};

TEST_F(WideMenus, TheWideCaptionFollowsTheEightBitOneAndItsHotKey) {
  item_->SetCaption(u"&Αρχείο");
  EXPECT_EQ(item_->Caption(), "&??????");
  EXPECT_EQ(item_->GetCaption(), u"&Αρχείο");
  // Only the hot key moved behind it: the wide caption keeps its letters.
  item_->platform::TMenuItem::SetCaption("??&????");
  EXPECT_EQ(item_->GetCaption(), u"Αρ&χείο");
  item_->platform::TMenuItem::SetCaption("Close");
  EXPECT_EQ(item_->GetCaption(), u"Close");

  item_->SetHint(u"Άνοιγμα|Ανοίγει ένα αρχείο");
  EXPECT_EQ(item_->GetHint(), u"Άνοιγμα|Ανοίγει ένα αρχείο");
  item_->Hint = "Open";
  EXPECT_EQ(item_->GetHint(), u"Open");
}

TEST_F(WideMenus, TheMenuShowsTheWideCaptionAndTheKeyboardsShortcutNames) {
  item_->ShortCut = scCtrl | 'S';
  item_->SetCaption(u"&Σώσε");
  EXPECT_EQ(platform::GetMenuStringW(item_), u"&Σώσε\tCtrl+S");
  // Changed through the class library, the menu takes the caption anew.
  item_->platform::TMenuItem::SetCaption("&Save");
  EXPECT_EQ(platform::GetMenuStringW(item_), u"&Save\tCtrl+S");

  // An item with sub-items, and the top level of a main menu, show no
  // shortcut.
  auto* sub = new TWtxMenuItem(popup_);
  sub->ShortCut = scCtrl | 'O';
  sub->SetCaption(u"Ωmega");
  item_->Add(sub);
  EXPECT_EQ(platform::GetMenuStringW(item_), u"&Save");
  EXPECT_EQ(platform::GetMenuStringW(sub), u"Ωmega\tCtrl+O");
  TWtxMainMenu mainMenu(nullptr);
  auto* top = new TWtxMenuItem(&mainMenu);
  top->ShortCut = scCtrl | 'F';
  mainMenu.Items()->Add(top);
  top->SetCaption(u"&Φάκελος");
  EXPECT_EQ(platform::GetMenuStringW(top), u"&Φάκελος");

  // A plain item names its shortcut as the class library does.
  auto* plain = new TMenuItem(popup_);
  plain->ShortCut = scCtrl | platform::VK_DELETE;
  plain->SetCaption("Erase");
  popup_->Items()->Add(plain);
  EXPECT_EQ(platform::GetMenuStringW(plain), u"Erase\tCtrl+Del");
}

TEST_F(WideMenus, ItemsMeasureAndDrawTheirWideTexts) {
  platform::TBitmap bitmap;
  bitmap.SetSize(200, 24);
  platform::TCanvas& canvas = bitmap.Canvas();
  item_->SetCaption(u"ΩΩΩΩΩΩ");
  TMenuItem plain(nullptr);
  plain.SetCaption("??????");
  int plainWidth = 0, plainHeight = 0;
  plain.MeasureItem(&canvas, plainWidth, plainHeight);
  int seen = 0;
  item_->OnMeasureItem = [&](platform::TObject*, platform::TCanvas*, int& width, int&) { seen = width; };
  int width = 0, height = 0;
  item_->MeasureItem(&canvas, width, height);
  EXPECT_NE(width, plainWidth);
  EXPECT_EQ(seen, width);
  EXPECT_EQ(height, plainHeight);

  const auto draw = [&](TMenuItem& item) {
    canvas.Brush().SetColor(platform::clWhite);
    canvas.FillRect(platform::Rect(0, 0, 200, 24));
    canvas.Font().SetColor(platform::clBlack);
    item.AdvancedDrawItem(&canvas, platform::Rect(0, 0, 200, 24), false, false);
    std::vector<platform::TColor> pixels;
    for (int x = 0; x < 200; ++x) pixels.push_back(canvas.Pixels(x, 12));
    return pixels;
  };
  EXPECT_NE(draw(*item_), draw(plain));
  // Disabled, the text is drawn in the shadow colour over its highlight:
  // nothing darker than the shadow.
  const auto darkest = [](const std::vector<platform::TColor>& pixels) {
    int level = 255;
    for (const platform::TColor p : pixels)
      level = std::min<int>(level, platform::GetGValue(static_cast<platform::COLORREF>(p)));
    return level;
  };
  EXPECT_LT(darkest(draw(*item_)), 100);
  item_->Enabled = false;
  EXPECT_GE(darkest(draw(*item_)), platform::GetGValue(platform::ColorToRGB(platform::clBtnShadow)));
}

TEST_F(WideMenus, AnItemLinkedToAWideActionFollowsItsCaption) {
  TWtxAction action(nullptr);
  action.SetCaption(u"&Σώσε");
  action.SetHint(u"Αποθήκευση");
  action.ShortCut = scCtrl | 'S';
  item_->SetAction(&action);
  EXPECT_EQ(item_->GetCaption(), u"&Σώσε");
  EXPECT_EQ(item_->GetHint(), u"Αποθήκευση");
  EXPECT_EQ(item_->ShortCut, scCtrl | 'S');
  EXPECT_EQ(platform::GetMenuStringW(item_), u"&Σώσε\tCtrl+S");

  action.SetCaption(u"Σ&ώσε όλα");
  EXPECT_EQ(item_->GetCaption(), u"Σ&ώσε όλα");
  action.SetEnabled(false);
  EXPECT_FALSE(item_->Enabled);
  item_->SetCaption(u"Δικό μου");
  action.SetCaption(u"Άλλο");
  EXPECT_EQ(item_->GetCaption(), u"Δικό μου");
  item_->SetAction(nullptr);
}

}  // namespace
