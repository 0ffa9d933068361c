#include "widetext/menus/wide_menus.h"

#include <gtest/gtest.h>

#include "platform/ui/controls/forms.h"
#include "tests/platform/menu_test_helpers.h"
#include "widetext/menus/wide_actions.h"

namespace {

using namespace widetext;
using menutest::MenuText;
using platform::scCtrl;
using platform::TMenuItem;

class WideMenus : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::InitializeApplication(); }
  void SetUp() override {
    Popup = new platform::TPopupMenu(nullptr);
    Item = new TWtxMenuItem(Popup);
    Popup->Items()->Add(Item);
  }
  void TearDown() override { platform::Free(Popup); }
  platform::TPopupMenu* Popup = nullptr;
  TWtxMenuItem* Item = nullptr;
};

TEST_F(WideMenus, TheWideCaptionFollowsTheEightBitOneAndItsHotKey) {
  Item->SetCaption(u"&Αρχείο");
  EXPECT_EQ(Item->Caption(), "&??????");
  EXPECT_EQ(Item->GetCaption(), u"&Αρχείο");
  // Only the hot key moved behind it: the wide caption keeps its letters.
  Item->platform::TMenuItem::SetCaption("??&????");
  EXPECT_EQ(Item->GetCaption(), u"Αρ&χείο");
  Item->platform::TMenuItem::SetCaption("Close");
  EXPECT_EQ(Item->GetCaption(), u"Close");

  Item->SetHint(u"Άνοιγμα|Ανοίγει ένα αρχείο");
  EXPECT_EQ(Item->GetHint(), u"Άνοιγμα|Ανοίγει ένα αρχείο");
  Item->Hint = "Open";
  EXPECT_EQ(Item->GetHint(), u"Open");
}

TEST_F(WideMenus, TheMenuShowsTheWideCaptionAndTheKeyboardsShortcutNames) {
  Item->SetShortCut(scCtrl | 'S');
  Item->SetCaption(u"&Σώσε");
  EXPECT_EQ(MenuText(Item), u"&Σώσε\tCtrl+S");
  // Changed through the class library, the menu takes the caption anew.
  Item->platform::TMenuItem::SetCaption("&Save");
  EXPECT_EQ(MenuText(Item), u"&Save\tCtrl+S");

  // An item with sub-items, and the top level of a main menu, show no
  // shortcut.
  auto* sub = new TWtxMenuItem(Popup);
  sub->SetShortCut(scCtrl | 'O');
  sub->SetCaption(u"Ωmega");
  Item->Add(sub);
  EXPECT_EQ(MenuText(Item), u"&Save");
  EXPECT_EQ(MenuText(sub), u"Ωmega\tCtrl+O");
  TWtxMainMenu mainMenu(nullptr);
  auto* top = new TWtxMenuItem(&mainMenu);
  top->SetShortCut(scCtrl | 'F');
  mainMenu.Items()->Add(top);
  top->SetCaption(u"&Φάκελος");
  EXPECT_EQ(MenuText(top), u"&Φάκελος");

  // A plain item names its shortcut as the class library does.
  auto* plain = new TMenuItem(Popup);
  plain->SetShortCut(scCtrl | platform::VK_DELETE);
  plain->SetCaption("Erase");
  Popup->Items()->Add(plain);
  EXPECT_EQ(MenuText(plain), u"Erase\tCtrl+Del");
}

TEST_F(WideMenus, ItemsMeasureAndDrawTheirWideTexts) {
  platform::TBitmap bitmap;
  bitmap.SetSize(200, 24);
  platform::TCanvas& canvas = bitmap.Canvas();
  Item->SetCaption(u"ΩΩΩΩΩΩ");
  TMenuItem plain(nullptr);
  plain.SetCaption("??????");
  int plainWidth = 0, plainHeight = 0;
  plain.MeasureItem(&canvas, plainWidth, plainHeight);
  int seen = 0;
  Item->OnMeasureItem = [&](platform::TObject*, platform::TCanvas*, int& Width, int&) { seen = Width; };
  int width = 0, height = 0;
  Item->MeasureItem(&canvas, width, height);
  EXPECT_NE(width, plainWidth);
  EXPECT_EQ(seen, width);
  EXPECT_EQ(height, plainHeight);

  const auto draw = [&](TMenuItem& MenuItem) {
    canvas.Brush().SetColor(platform::clWhite);
    canvas.FillRect(platform::Rect(0, 0, 200, 24));
    canvas.Font().SetColor(platform::clBlack);
    MenuItem.AdvancedDrawItem(&canvas, platform::Rect(0, 0, 200, 24), false, false);
    std::vector<platform::TColor> pixels;
    for (int x = 0; x < 200; ++x) pixels.push_back(canvas.Pixels(x, 12));
    return pixels;
  };
  EXPECT_NE(draw(*Item), draw(plain));
  // Disabled, the text is drawn in the shadow colour over its highlight:
  // nothing darker than the shadow.
  const auto darkest = [](const std::vector<platform::TColor>& Pixels) {
    int level = 255;
    for (const platform::TColor p : Pixels)
      level = std::min<int>(level, platform::GetGValue(static_cast<platform::COLORREF>(p)));
    return level;
  };
  EXPECT_LT(darkest(draw(*Item)), 100);
  Item->SetEnabled(false);
  EXPECT_GE(darkest(draw(*Item)), platform::GetGValue(platform::ColorToRGB(platform::clBtnShadow)));
}

TEST_F(WideMenus, AnItemLinkedToAWideActionFollowsItsCaption) {
  TWtxAction action(nullptr);
  action.SetCaption(u"&Σώσε");
  action.SetHint(u"Αποθήκευση");
  action.ShortCut = scCtrl | 'S';
  Item->SetAction(&action);
  EXPECT_EQ(Item->GetCaption(), u"&Σώσε");
  EXPECT_EQ(Item->GetHint(), u"Αποθήκευση");
  EXPECT_EQ(Item->ShortCut(), scCtrl | 'S');
  EXPECT_EQ(MenuText(Item), u"&Σώσε\tCtrl+S");

  action.SetCaption(u"Σ&ώσε όλα");
  EXPECT_EQ(Item->GetCaption(), u"Σ&ώσε όλα");
  action.SetEnabled(false);
  EXPECT_FALSE(Item->Enabled());
  Item->SetCaption(u"Δικό μου");
  action.SetCaption(u"Άλλο");
  EXPECT_EQ(Item->GetCaption(), u"Δικό μου");
  Item->SetAction(nullptr);
}

}  // namespace
