// The extended combo box class (ComboBoxEx32) on a QComboBox whose items
// show their pictures as icons. Items, texts, pictures and values live in
// the QComboBox; selecting from code is silent, the user's choice sends
// CBN_SELCHANGE.

#include <QComboBox>

#include <vector>

#include "platform/ui/window_classes/comboboxex.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/stdclasses.h"

namespace platform::ui {
namespace {

constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kValueRole = Qt::UserRole + 2;

class ComboExPeer : public StdPeer {
 public:
  ComboExPeer(HWND hWnd, QComboBox* Widget) : StdPeer(hWnd, Widget, WM_CTLCOLOREDIT), Combo(Widget) {
    Widget->setEditable(false);
    Widget->setMaxVisibleItems(8);
    QObject::connect(Widget, qOverload<int>(&QComboBox::activated), Widget, [this](int) {
      if (IsWindow(Hwnd)) NotifyParent(Hwnd, CBN_SELCHANGE);
    });
  }

  bool Has(std::intptr_t Row) const { return Row >= 0 && Row < Combo->count(); }

  void ShowImage(int Row) {
    const int image = Combo->itemData(Row, kImageRole).toInt();
    Combo->setItemIcon(
        Row, image >= 0 && image < static_cast<int>(Icons.size()) ? Icons[static_cast<std::size_t>(image)] : QIcon());
  }

  QComboBox* Combo;
  std::vector<QIcon> Icons;
};

ComboExPeer* ComboEx(HWND hWnd) { return StdPeerOf<ComboExPeer>(hWnd); }

template <class Char>
void Apply(ComboExPeer& P, int Row, const COMBOBOXEXITEMT<Char>& Item) {
  if (Item.mask & CBEIF_TEXT) P.Combo->setItemText(Row, TextArgOf(Item.pszText));
  if (Item.mask & CBEIF_IMAGE) P.Combo->setItemData(Row, Item.iImage, kImageRole);
  if (Item.mask & CBEIF_LPARAM) P.Combo->setItemData(Row, QVariant::fromValue<qlonglong>(Item.lParam), kValueRole);
  P.ShowImage(Row);
}

template <class Char>
LRESULT InsertItem(ComboExPeer& P, HWND, WPARAM, LPARAM lParam) {
  const auto* item = reinterpret_cast<const COMBOBOXEXITEMT<Char>*>(lParam);
  if (!item) return CB_ERR;
  const int row = P.Has(item->iItem) ? static_cast<int>(item->iItem) : P.Combo->count();
  const QSignalBlocker quiet(P.Combo);
  P.Combo->insertItem(row, QString());
  P.Combo->setItemData(row, -1, kImageRole);
  Apply(P, row, *item);
  return row;
}

template <class Char>
LRESULT SetItem(ComboExPeer& P, HWND, WPARAM, LPARAM lParam) {
  const auto* item = reinterpret_cast<const COMBOBOXEXITEMT<Char>*>(lParam);
  if (!item || !P.Has(item->iItem)) return 0;
  Apply(P, static_cast<int>(item->iItem), *item);
  return 1;
}

template <class Char>
LRESULT GetItem(ComboExPeer& P, HWND, WPARAM, LPARAM lParam) {
  auto* item = reinterpret_cast<COMBOBOXEXITEMT<Char>*>(lParam);
  if (!item || !P.Has(item->iItem)) return 0;
  const int row = static_cast<int>(item->iItem);
  if (item->mask & CBEIF_TEXT) CopyTextOut(P.Combo->itemText(row), item->pszText, item->cchTextMax);
  if (item->mask & CBEIF_IMAGE) item->iImage = P.Combo->itemData(row, kImageRole).toInt();
  if (item->mask & CBEIF_LPARAM) item->lParam = static_cast<LPARAM>(P.Combo->itemData(row, kValueRole).toLongLong());
  return 1;
}

LRESULT GetCount(ComboExPeer& P, HWND, WPARAM, LPARAM) { return P.Combo->count(); }
LRESULT GetCurSel(ComboExPeer& P, HWND, WPARAM, LPARAM) { return P.Combo->currentIndex(); }

LRESULT SetCurSel(ComboExPeer& P, HWND, WPARAM wParam, LPARAM) {
  const auto row = static_cast<std::intptr_t>(wParam);
  const QSignalBlocker quiet(P.Combo);
  P.Combo->setCurrentIndex(P.Has(row) ? static_cast<int>(row) : -1);
  return P.Has(row) ? row : CB_ERR;
}

LRESULT DeleteString(ComboExPeer& P, HWND, WPARAM wParam, LPARAM) {
  const auto row = static_cast<std::intptr_t>(wParam);
  if (!P.Has(row)) return CB_ERR;
  const QSignalBlocker quiet(P.Combo);
  P.Combo->removeItem(static_cast<int>(row));
  return P.Combo->count();
}

LRESULT ResetContent(ComboExPeer& P, HWND, WPARAM, LPARAM) {
  const QSignalBlocker quiet(P.Combo);
  P.Combo->clear();
  return 0;
}

LRESULT GetDlgCode(ComboExPeer&, HWND, WPARAM, LPARAM) { return DLGC_WANTARROWS; }

constexpr MessageHandler<ComboExPeer> kMessages[] = {
    {WM_GETDLGCODE, &GetDlgCode},
    {CBEM_INSERTITEMA, &InsertItem<char>, CB_ERR},
    {CBEM_INSERTITEMW, &InsertItem<char16_t>, CB_ERR},
    {CBEM_SETITEMA, &SetItem<char>},
    {CBEM_SETITEMW, &SetItem<char16_t>},
    {CBEM_GETITEMA, &GetItem<char>},
    {CBEM_GETITEMW, &GetItem<char16_t>},
    {CB_GETCOUNT, &GetCount},
    {CB_GETCURSEL, &GetCurSel, CB_ERR},
    {CB_SETCURSEL, &SetCurSel, CB_ERR},
    {CB_DELETESTRING, &DeleteString, CB_ERR},
    {CB_RESETCONTENT, &ResetContent},
};

LRESULT ComboExProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_NCCREATE) {
    SetWindowPeer(hWnd, std::make_unique<ComboExPeer>(hWnd, new QComboBox));
    return 1;
  }
  return Dispatch(kMessages, hWnd, Msg, wParam, lParam, true);
}

}  // namespace

void RegisterComboBoxExClass() { RegisterStdClass(u"ComboBoxEx32", MakeWndProc<&ComboExProc>(true)); }

}  // namespace platform::ui

namespace platform {

void ComboBoxExSetImageList(HWND hWnd, const std::vector<HBITMAP>& Images, COLORREF Transparent) {
  ui::ComboExPeer* p = ui::ComboEx(hWnd);
  if (!p) return;
  p->Icons.clear();
  for (HBITMAP b : Images) p->Icons.push_back(ui::MaskedIcon(b, Transparent));
  if (!Images.empty()) {
    const SIZE size = GetBitmapSize(Images.front());
    p->Combo->setIconSize(QSize(size.cx, size.cy));
  }
  for (int row = 0; row < p->Combo->count(); ++row) p->ShowImage(row);
}

}  // namespace platform
