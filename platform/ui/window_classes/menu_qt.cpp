#include "platform/ui/window_classes/menu_qt.h"

#include <QActionGroup>
#include <QMenuBar>
#include <QPixmap>

#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {
namespace {

constexpr char kIndex[] = "menuItemIndex";
constexpr char kMenu[] = "menuHandle";
constexpr char kOpenerMenu[] = "menuOpenerHandle";
constexpr char kOpenerIndex[] = "menuOpenerIndex";

QVariant HandleValue(HMENU Menu) { return QVariant::fromValue<qulonglong>(reinterpret_cast<std::uintptr_t>(Menu)); }
HMENU HandleFrom(const QVariant& Value) {
  return Value.isValid() ? reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(Value.toULongLong())) : nullptr;
}

std::u16string ItemText(HMENU Menu, int Index) {
  const int length = GetMenuStringW(Menu, static_cast<UINT>(Index), nullptr, 0, MF_BYPOSITION);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  GetMenuStringW(Menu, static_cast<UINT>(Index), text.data(), length + 1, MF_BYPOSITION);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// The sub-menus a target made before; they go with the items they showed.
void DropSubMenus(QWidget* Target) {
  for (QMenu* sub : Target->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (sub->property(kOpenerMenu).isValid()) delete sub;
  }
}

void AddAction(QWidget* Target, QAction* Action) {
  if (auto* menu = qobject_cast<QMenu*>(Target)) {
    menu->addAction(Action);
  } else if (auto* bar = qobject_cast<QMenuBar*>(Target)) {
    bar->addAction(Action);
  }
}

}  // namespace

void FillMenu(QWidget* Target, HMENU Menu) {
  for (QAction* a : Target->actions()) {
    Target->removeAction(a);
    if (a->parent() == Target) delete a;
  }
  DropSubMenus(Target);
  Target->setProperty(kMenu, HandleValue(Menu));
  const int count = GetMenuItemCount(Menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_BITMAP;
    if (!GetMenuItemInfoW(Menu, static_cast<UINT>(i), true, &info)) continue;
    QAction* action = nullptr;
    const QString text = ToQString(ItemText(Menu, i));
    if (info.hSubMenu) {
      auto* sub = new QMenu(text, Target);
      sub->setProperty(kMenu, HandleValue(info.hSubMenu));
      sub->setProperty(kOpenerMenu, HandleValue(Menu));
      sub->setProperty(kOpenerIndex, i);
      action = sub->menuAction();
    } else {
      const bool line = (info.fType & MFT_SEPARATOR) != 0;
      action = new QAction(line ? QString() : text, Target);
      action->setSeparator(line);
      action->setCheckable((info.fState & MFS_CHECKED) != 0);
      action->setChecked((info.fState & MFS_CHECKED) != 0);
    }
    if (info.fType & MFT_BITMAP) {
      MENUITEMINFOW bitmap;
      bitmap.fMask = MIIM_TYPE;
      GetMenuItemInfoW(Menu, static_cast<UINT>(i), true, &bitmap);
      if (const auto image = BitmapImage(reinterpret_cast<std::uintptr_t>(bitmap.dwTypeData))) {
        action->setIcon(QIcon(QPixmap::fromImage(*image)));
      }
    }
    action->setEnabled((info.fState & MFS_DISABLED) == 0);
    action->setProperty(kIndex, i);
    AddAction(Target, action);
  }
  Target->setLayoutDirection(IsRightToLeft(Menu) ? Qt::RightToLeft : Qt::LeftToRight);
}

int ItemIndex(const QAction* Action) {
  const QVariant v = Action ? Action->property(kIndex) : QVariant();
  return v.isValid() ? v.toInt() : -1;
}

HMENU MenuOf(const QWidget* Target) { return Target ? HandleFrom(Target->property(kMenu)) : nullptr; }
HMENU OpenerMenuOf(const QMenu* Menu) { return Menu ? HandleFrom(Menu->property(kOpenerMenu)) : nullptr; }

int OpenerIndexOf(const QMenu* Menu) {
  const QVariant v = Menu ? Menu->property(kOpenerIndex) : QVariant();
  return v.isValid() ? v.toInt() : -1;
}

QAction* ActionAt(const QWidget* Target, int Index) {
  if (!Target) return nullptr;
  for (QAction* a : Target->actions()) {
    if (ItemIndex(a) == Index) return a;
  }
  return nullptr;
}

QMenu* SubMenuAt(const QWidget* Target, int Index) {
  QAction* action = ActionAt(Target, Index);
  return action ? action->menu() : nullptr;
}

bool IsRightToLeft(HMENU Menu) {
  MENUITEMINFOW info;
  info.fMask = MIIM_FTYPE;
  return GetMenuItemInfoW(Menu, 0, true, &info) && (info.fType & MFT_RIGHTORDER) != 0;
}

}  // namespace platform::ui
