#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QImage>

#include <algorithm>

#include <map>
#include <vector>

#include "platform/core/window_system/owner_draw.h"
#include "platform/ui/window_classes/gdi.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/std_controls_fixture.h"

namespace {

using namespace platform;

// What the owner was asked to draw, and the colour it filled each item
// with: a colour of its index, yellow for the combo box's face.
std::vector<DRAWITEMSTRUCT>* g_drawn = nullptr;
std::vector<MEASUREITEMSTRUCT>* g_measured = nullptr;
std::map<UINT, UINT>* g_heights = nullptr;

COLORREF ItemColor(UINT Item) { return RGB(static_cast<BYTE>(40 * (Item + 1)), 0, 200); }

LRESULT OwnerProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_DRAWITEM && g_drawn) {
    const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    g_drawn->push_back(dis);
    const COLORREF color = (dis.itemState & ODS_COMBOBOXEDIT) ? RGB(255, 255, 0) : ItemColor(dis.itemID);
    const HBRUSH brush = CreateSolidBrush(color);
    FillRect(dis.hDC, dis.rcItem, brush);
    DeleteObject(brush);
    return 1;
  }
  if (Msg == WM_MEASUREITEM && g_measured) {
    auto& mis = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    g_measured->push_back(mis);
    if (g_heights && g_heights->count(mis.itemID)) mis.itemHeight = (*g_heights)[mis.itemID];
    return 1;
  }
  return DefWindowProcW(hWnd, Msg, wParam, lParam);
}

class OwnerDrawClass : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui::InitializeUi();
    WNDCLASS wc;
    wc.lpfnWndProc = MakeWndProc<&OwnerProc>(true);
    wc.lpszClassName = u"OwnerDrawTestParent";
    RegisterClassW(wc);
  }
  void SetUp() override {
    g_drawn = &Drawn;
    g_measured = &Measured;
    g_heights = &Heights;
    Parent = CreateWindowExW(0, u"OwnerDrawTestParent", u"", WS_VISIBLE, 0, 0, 300, 240, nullptr, 0, nullptr, nullptr);
  }
  void TearDown() override {
    DestroyWindow(Parent);
    g_drawn = nullptr;
    g_measured = nullptr;
    g_heights = nullptr;
  }
  HWND Child(const char16_t* Cls, DWORD Style, int Id) {
    return CreateWindowExW(0, Cls, u"", WS_CHILD | WS_VISIBLE | Style, 10, 10, 160, 120, Parent,
                           static_cast<std::uintptr_t>(Id), nullptr, nullptr);
  }
  const DRAWITEMSTRUCT* DrawnItem(UINT Item) const {
    for (auto it = Drawn.rbegin(); it != Drawn.rend(); ++it) {
      if (it->itemID == Item && !(it->itemState & ODS_COMBOBOXEDIT)) return &*it;
    }
    return nullptr;
  }

  std::vector<DRAWITEMSTRUCT> Drawn;
  std::vector<MEASUREITEMSTRUCT> Measured;
  std::map<UINT, UINT> Heights;
  HWND Parent = nullptr;
};

TEST_F(OwnerDrawClass, TheOwnerPaintsEachItemOfAListInItsRectangleWithItsState) {
  Heights[0] = 20;
  HWND list = Child(u"LISTBOX", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 7);
  // A list of one height asks its owner once, as it is made.
  ASSERT_EQ(Measured.size(), 1u);
  EXPECT_EQ(Measured[0].CtlType, ODT_LISTBOX);
  EXPECT_EQ(Measured[0].CtlID, 7u);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 20);
  for (const char16_t* s : {u"Ωμέγα", u"Łódź", u"三"}) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  SendMessageW(list, LB_SETCURSEL, 1, 0);
  SetFocus(list);

  const QImage shown = ui::Grab(list);
  ASSERT_FALSE(shown.isNull());
  auto* view = qobject_cast<QAbstractScrollArea*>(ui::WidgetOf(list));
  ASSERT_NE(view, nullptr);
  const QPoint viewport = view->viewport()->mapTo(view, QPoint(0, 0));
  for (UINT i = 0; i < 3; ++i) {
    const DRAWITEMSTRUCT* dis = DrawnItem(i);
    ASSERT_NE(dis, nullptr) << "item " << i;
    EXPECT_EQ(dis->CtlType, ODT_LISTBOX);
    EXPECT_EQ(dis->hwndItem, list);
    EXPECT_EQ(dis->itemAction, ODA_DRAWENTIRE);
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(dis->rcItem, r);
    EXPECT_EQ(dis->rcItem.Height(), 20);
    const bool current = i == 1;
    EXPECT_EQ((dis->itemState & ODS_SELECTED) != 0, current) << "item " << i;
    EXPECT_EQ((dis->itemState & ODS_FOCUS) != 0, current) << "item " << i;
    // What the owner drew is what the list shows there.
    const QPoint middle = viewport + QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_EQ(shown.pixelColor(middle),
              QColor(GetRValue(ItemColor(i)), GetGValue(ItemColor(i)), GetBValue(ItemColor(i))))
        << "item " << i;
  }
}

TEST_F(OwnerDrawClass, AListWithoutStringsKeepsItsItemsDataAndVariableItemsTheirOwnHeights) {
  Heights = {{0, 12}, {1, 30}};
  HWND list = Child(u"LISTBOX", LBS_OWNERDRAWVARIABLE, 8);
  EXPECT_TRUE(Measured.empty());
  EXPECT_EQ(SendMessageW(list, LB_ADDSTRING, 0, 0x1234), 0);
  EXPECT_EQ(SendMessageW(list, LB_ADDSTRING, 0, 0x5678), 1);
  // Each item was measured as it came, with its data.
  ASSERT_EQ(Measured.size(), 2u);
  EXPECT_EQ(Measured[1].itemID, 1u);
  EXPECT_EQ(Measured[1].itemData, 0x5678u);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 1, 0), 30);
  RECT first{}, second{};
  SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  EXPECT_EQ(first.Height(), 12);
  EXPECT_EQ(second.Height(), 30);
  EXPECT_EQ(second.top, first.bottom);

  EXPECT_EQ(SendMessageW(list, LB_GETTEXTLEN, 1, 0), static_cast<LRESULT>(sizeof(LPARAM)));
  LPARAM data = 0;
  SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(&data));
  EXPECT_EQ(data, 0x5678);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), 0x5678), 1);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), 0x9999), LB_ERR);

  ui::Grab(list);
  const DRAWITEMSTRUCT* dis = DrawnItem(1);
  ASSERT_NE(dis, nullptr);
  EXPECT_EQ(dis->itemData, 0x5678u);
  EXPECT_EQ(dis->rcItem, second);
  EXPECT_EQ(SendMessageW(list, LB_SETITEMHEIGHT, 0, 300), LB_ERR);

  // An 8-bit caller's data is no text to convert either.
  EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, 0x9ABC), 2);
  EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), 0x9ABC), 2);
  data = 0;
  EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(&data)), static_cast<LRESULT>(sizeof(LPARAM)));
  EXPECT_EQ(data, 0x9ABC);
}

TEST_F(OwnerDrawClass, TheOwnerPaintsTheFaceOfAComboBoxAndTheItemsOfItsList) {
  HWND combo = Child(u"COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 9);
  ASSERT_EQ(Measured.size(), 1u);
  EXPECT_EQ(Measured[0].CtlType, ODT_COMBOBOX);
  for (const char16_t* s : {u"Ωμέγα", u"Łódź"}) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  SendMessageW(combo, CB_SETCURSEL, 1, 0);

  const QImage shown = ui::Grab(combo);
  auto face = std::find_if(Drawn.begin(), Drawn.end(),
                           [](const DRAWITEMSTRUCT& D) { return (D.itemState & ODS_COMBOBOXEDIT) != 0; });
  ASSERT_NE(face, Drawn.end());
  EXPECT_EQ(face->CtlType, ODT_COMBOBOX);
  EXPECT_EQ(face->itemID, 1u);
  EXPECT_EQ(face->hwndItem, combo);
  const QPoint middle((face->rcItem.left + face->rcItem.right) / 2, (face->rcItem.top + face->rcItem.bottom) / 2);
  EXPECT_EQ(shown.pixelColor(middle), QColor(255, 255, 0));

  // The open list's items too.
  auto* box = qobject_cast<QComboBox*>(ui::WidgetOf(combo));
  ASSERT_NE(box, nullptr);
  SendMessageW(combo, CB_SHOWDROPDOWN, 1, 0);
  box->view()->grab();
  SendMessageW(combo, CB_SHOWDROPDOWN, 0, 0);
  const DRAWITEMSTRUCT* item = DrawnItem(0);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->hwndItem, combo);
  EXPECT_EQ(item->CtlType, ODT_COMBOBOX);

  // Without strings an item is its data, from a caller of either kind.
  HWND data = Child(u"COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, 10);
  SendMessageW(data, CB_ADDSTRING, 0, 0x42);
  EXPECT_EQ(SendMessageW(data, CB_GETITEMDATA, 0, 0), 0x42);
  EXPECT_EQ(SendMessageW(data, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), 0x42), 0);
  EXPECT_EQ(SendMessageA(data, CB_INSERTSTRING, 0, 0x43), 0);
  EXPECT_EQ(SendMessageA(data, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), 0x42), 1);
  LPARAM held = 0;
  SendMessageA(data, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(&held));
  EXPECT_EQ(held, 0x43);
}

// The owner of a list without data gives its texts as the list asks.
WNDPROC g_listProc;
LRESULT TextsOfTheOwner(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  const std::u16string text = u"row " + std::u16string(1, static_cast<char16_t>(u'0' + wParam));
  if (Msg == LB_GETTEXTLEN) return static_cast<LRESULT>(text.size());
  if (Msg == LB_GETTEXT) {
    std::copy(text.begin(), text.end(), reinterpret_cast<char16_t*>(lParam));
    reinterpret_cast<char16_t*>(lParam)[text.size()] = 0;
    return static_cast<LRESULT>(text.size());
  }
  return CallWindowProcW(g_listProc, hWnd, Msg, wParam, lParam);
}

TEST_F(OwnerDrawClass, AListWithoutDataIsSearchedByTheTextsItsOwnerGives) {
  HWND list = Child(u"LISTBOX", LBS_OWNERDRAWFIXED | LBS_NODATA, 11);
  g_listProc = SetWindowProcW(list, MakeWndProc<&TextsOfTheOwner>(true));
  SendMessageW(list, LB_SETCOUNT, 4, 0);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"ROW 2")), 2);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, 2, reinterpret_cast<LPARAM>(u"row")), 3);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"row 7")),
            LB_ERR);
}

}  // namespace
