#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/os/clock.h"
#include "platform/ui/controls/comctrls.h"
#include "platform/ui/controls/extctrls.h"
#include "platform/ui/controls/forms.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

using ComCtrlsTest = fixture::FormTest;

std::string TabText(HWND Tabs, int Index) {
  char buffer[64] = {};
  TCITEMA item;
  item.mask = TCIF_TEXT;
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer;
  SendMessageA(Tabs, TCM_GETITEMA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item));
  return buffer;
}

TEST_F(ComCtrlsTest, PagesMakeTabsAndOnlyTheUsersChoiceIsAnnounced) {
  auto* pages = new TPageControl(Form);
  pages->SetParent(Form);
  pages->SetBounds(0, 0, 400, 300);
  std::vector<TTabSheet*> sheets;
  for (const char* caption : {"Connection", "Depth", "Speed"}) {
    auto* sheet = new TTabSheet(Form);
    sheet->SetPageControl(pages);
    sheet->SetCaption(caption);
    sheets.push_back(sheet);
  }
  int changes = 0;
  bool allow = true;
  pages->OnChange = [&](TObject*) { ++changes; };
  pages->OnChanging = [&](TObject*, bool& A) { A = allow; };
  Form->Show();
  const HWND tabs = pages->Handle();
  ASSERT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(TabText(tabs, 1), "Depth");
  sheets[1]->SetCaption("Profondit\xE0");
  EXPECT_EQ(TabText(tabs, 1), "Profondit\xE0");

  pages->SetActivePage(sheets[2]);
  EXPECT_EQ(pages->TabIndex(), 2);
  EXPECT_TRUE(sheets[2]->Visible());
  EXPECT_FALSE(sheets[0]->Visible());
  EXPECT_EQ(changes, 0);
  // The display area lies below the tabs, inside the frame.
  EXPECT_GT(sheets[2]->Top(), 10);
  EXPECT_EQ(sheets[2]->BoundsRect(), sheets[0]->BoundsRect());

  RECT r;
  SendMessageA(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  const LPARAM onFirst = MAKELPARAM(static_cast<WORD>(r.left + 3), static_cast<WORD>(r.top + 3));
  allow = false;
  SendMessageW(tabs, WM_LBUTTONDOWN, 1, onFirst);
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  allow = true;
  SendMessageW(tabs, WM_LBUTTONDOWN, 1, onFirst);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  EXPECT_TRUE(sheets[0]->Visible());
  EXPECT_EQ(changes, 1);

  // A hidden tab leaves the others' positions to the visible ones.
  sheets[1]->SetTabVisible(false);
  EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(TabText(tabs, 1), "Speed");
  EXPECT_EQ(sheets[2]->TabIndex(), 1);
}

TEST_F(ComCtrlsTest, SheetsAnnounceComingIntoViewAndLeavingIt) {
  auto* pages = new TPageControl(Form);
  pages->SetParent(Form);
  pages->SetBounds(0, 0, 400, 300);
  std::vector<std::string> log;
  std::vector<TTabSheet*> sheets;
  for (const char* caption : {"Connection", "Speed"}) {
    auto* sheet = new TTabSheet(Form);
    sheet->SetPageControl(pages);
    sheet->SetCaption(caption);
    sheet->OnShow = [&log, caption](TObject*) { log.push_back(std::string("show ") + caption); };
    sheet->OnHide = [&log, caption](TObject*) { log.push_back(std::string("hide ") + caption); };
    sheets.push_back(sheet);
  }
  EXPECT_TRUE(log.empty());  // nothing is on the screen yet
  Form->Show();
  EXPECT_EQ(log, (std::vector<std::string>{"show Connection"}));

  log.clear();
  pages->SetActivePage(sheets[1]);
  EXPECT_EQ(log, (std::vector<std::string>{"show Speed", "hide Connection"}));

  // The user's choice of tab shows the sheet the same way.
  log.clear();
  RECT r;
  SendMessageA(pages->Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  SendMessageW(pages->Handle(), WM_LBUTTONDOWN, 1,
               MAKELPARAM(static_cast<WORD>(r.left + 3), static_cast<WORD>(r.top + 3)));
  EXPECT_EQ(log, (std::vector<std::string>{"show Connection", "hide Speed"}));

  log.clear();
  Form->Hide();
  EXPECT_EQ(log, (std::vector<std::string>{"hide Connection"}));

  // A failing handler is reported and the sheet still shows.
  std::string reported;
  Application->OnException = [&](TObject*, const std::exception& E) { reported = E.what(); };
  sheets[0]->OnShow = [](TObject*) { throw EInvalidOperation("no port list"); };
  Form->Show();
  Application->OnException = nullptr;
  EXPECT_EQ(reported, "no port list");
  EXPECT_TRUE(sheets[0]->Showing());
}

TEST_F(ComCtrlsTest, TreeLevelsStaySortedAndNodesKnowTheirPlace) {
  auto* tree = new TTreeView(Form);
  tree->SetParent(Form);
  tree->SetBounds(0, 0, 300, 200);
  tree->SetSortType(stText);
  Form->Show();
  TTreeNodes& items = tree->Items();
  TTreeNode* dst = items.AddChild(nullptr, "DST");
  TTreeNode* gps = items.AddChildFirst(nullptr, "GPS");
  int tag = 7;
  TTreeNode* sd = items.AddChildObject(dst, "SD", &tag);
  items.AddChild(sd, "2");
  items.AddChild(sd, "10");
  items.AddChild(sd, "DPT");
  EXPECT_EQ(items.GetFirstNode(), dst);  // sorted, whatever the insertion asked
  EXPECT_EQ(dst->getNextSibling(), gps);
  EXPECT_EQ(sd->Item(0)->Text(), "10");
  EXPECT_EQ(sd->Item(1)->Text(), "2");
  EXPECT_EQ(sd->Item(2)->Level(), 2);
  EXPECT_EQ(sd->Parent(), dst);
  EXPECT_EQ(sd->Data(), &tag);
  EXPECT_EQ(items.Count(), 6);
  EXPECT_EQ(items.Item(5), gps);

  sd->Item(1)->SetSelected(true);
  EXPECT_EQ(tree->Selected()->Text(), "2");
  sd->Delete();
  EXPECT_EQ(items.Count(), 2);
  EXPECT_FALSE(dst->HasChildren());
  EXPECT_EQ(tree->Selected(), nullptr);
  items.Clear();
  EXPECT_EQ(items.GetFirstNode(), nullptr);
}

TEST_F(ComCtrlsTest, TreeNodesSurviveANewWindow) {
  auto* tree = new TTreeView(Form);
  tree->SetParent(Form);
  tree->SetBounds(0, 0, 300, 200);
  Form->Show();
  int tag = 7;
  TTreeNodes& items = tree->Items();
  TTreeNode* dst = items.AddChildObject(nullptr, "DST", &tag);
  TTreeNode* sd = items.AddChild(dst, "SD \x96 Sounder");
  items.AddChild(sd, "DPT");
  TTreeNode* gps = items.AddChild(nullptr, "GPS");
  sd->SetImageIndex(1);
  sd->SetSelectedIndex(2);
  dst->Expand(false);
  sd->SetSelected(true);
  int changes = 0;
  tree->OnChange = [&](TObject*, TTreeNode*) { ++changes; };

  const HWND before = tree->Handle();
  tree->RecreateWnd();
  ASSERT_NE(tree->Handle(), before);
  // The same nodes, in the same places, with what they carried.
  EXPECT_EQ(items.Count(), 4);
  EXPECT_EQ(items.GetFirstNode(), dst);
  EXPECT_EQ(dst->getFirstChild(), sd);
  EXPECT_EQ(dst->getNextSibling(), gps);
  EXPECT_EQ(sd->Text(), "SD \x96 Sounder");
  EXPECT_EQ(sd->Item(0)->Text(), "DPT");
  EXPECT_EQ(dst->Data(), &tag);
  EXPECT_EQ(sd->ImageIndex(), 1);
  EXPECT_EQ(sd->SelectedIndex(), 2);
  EXPECT_TRUE(dst->Expanded());
  EXPECT_FALSE(sd->Expanded());
  EXPECT_EQ(tree->Selected(), sd);
  EXPECT_EQ(changes, 0);
  // And they work on the new window.
  sd->SetText("SD");
  EXPECT_EQ(TreeGetText(tree->Handle(), sd->ItemId()), u"SD");
  gps->Delete();
  EXPECT_EQ(items.Count(), 3);
}

TEST_F(ComCtrlsTest, TreeHitTestsFindTheNodeUnderAPoint) {
  auto* tree = new TTreeView(Form);
  tree->SetParent(Form);
  tree->SetBounds(0, 0, 300, 200);
  Form->Show();
  TTreeNode* first = tree->Items().AddChild(nullptr, "Talker");
  tree->Items().AddChild(first, "Sentence");
  first->Expand(false);
  Application->ProcessMessages();
  RECT r;
  ASSERT_TRUE(TreeGetItemRect(tree->Handle(), first->ItemId(), &r, true));
  const int y = (r.top + r.bottom) / 2;
  EXPECT_EQ(tree->GetNodeAt(r.left + 4, y), first);
  EXPECT_TRUE(tree->GetHitTestInfoAt(r.left + 4, y) & htOnItem);
  EXPECT_TRUE(tree->GetHitTestInfoAt(r.left + 4, 190) & htNowhere);
  EXPECT_EQ(tree->GetNodeAt(r.left + 4, 190), nullptr);
  EXPECT_TRUE(tree->GetHitTestInfoAt(10, 500) & htBelow);
}

TEST_F(ComCtrlsTest, TimersFireOnTheLoopAtTheirInterval) {
  std::uint32_t now = 5000;
  ScopedClockOverride clock({.Tick = [&] { return now; }});
  TTimer timer(nullptr);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetInterval(250);
  Application->ProcessMessages();
  now += 249;
  Application->ProcessMessages();
  EXPECT_EQ(ticks, 0);
  now += 1;
  Application->ProcessMessages();
  EXPECT_EQ(ticks, 1);
  timer.SetEnabled(false);
  now += 1000;
  Application->ProcessMessages();
  EXPECT_EQ(ticks, 1);
}

TEST_F(ComCtrlsTest, ImageListsKeepCopiesOfTheirSizeAndDrawWithoutTheMask) {
  TImageList images(nullptr);
  images.Width = 4;
  images.Height = 4;
  TBitmap source;
  source.SetSize(8, 8);
  source.Canvas().Brush().SetColor(clFuchsia);
  source.Canvas().FillRect(Rect(0, 0, 8, 8));
  source.Canvas().Brush().SetColor(clBlue);
  source.Canvas().FillRect(Rect(4, 4, 8, 8));
  EXPECT_EQ(images.AddMasked(&source, clFuchsia), 0);
  source.Canvas().Brush().SetColor(clRed);
  source.Canvas().FillRect(Rect(0, 0, 8, 8));
  TBitmap copy;
  ASSERT_TRUE(images.GetBitmap(0, &copy));
  EXPECT_EQ(copy.Width(), 4);
  EXPECT_EQ(copy.Canvas().Pixels(3, 3), clBlue);
  TBitmap target;
  target.SetSize(4, 4);
  images.Draw(target.Canvas(), 0, 0, 0);
  EXPECT_EQ(target.Canvas().Pixels(0, 0), clWhite);
  EXPECT_EQ(target.Canvas().Pixels(3, 3), clBlue);
}

}  // namespace
