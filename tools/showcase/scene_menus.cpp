// Menus with wide texts: a popup menu with shortcut texts, a right-to-left
// form with its menu bar and a popup menu, and a form whose status line
// shows the application's wide hint as the selection moves through its
// menu bar. Each opens its menu shortly after it shows; a right click on
// the form opens the popup menu again.

#include <QMenu>
#include <QMenuBar>

#include "platform/core/window_system/system_settings.h"
#include "platform/ui/controls/extctrls.h"
#include "platform/ui/window_classes/gdi.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tools/showcase/scene.h"
#include "widetext/controls/wide_application.h"
#include "widetext/controls/wide_form.h"
#include "widetext/menus/wide_menus.h"
#include "widetext/standard/label.h"

namespace showcase {
namespace {

using namespace platform;
using widetext::TWtxMenuItem;

TWtxMenuItem* Item(TComponent* Owner, TMenuItem* Parent, std::u16string_view Caption, std::u16string_view Hint = u"",
                   TShortCut Keys = 0) {
  auto* item = new TWtxMenuItem(Owner);
  item->SetCaption(Caption);
  item->SetHint(Hint);
  item->SetShortCut(Keys);
  Parent->Add(item);
  return item;
}

widetext::TWtxForm* SceneForm(std::u16string_view Caption) {
  widetext::WtxApplication();
  auto* form = new widetext::TWtxForm(nullptr, widetext::TWtxForm::CreateNew);
  form->SetBounds(120, 100, 460, 300);
  form->SetCaption(Caption);
  return form;
}

// The menu of a capture file, in Greek.
TPopupMenu* CaptureMenu(TComponent* Owner) {
  auto* menu = new TPopupMenu(Owner);
  Item(Owner, menu->Items(), u"&Άνοιγμα...", u"Ανοίγει μια καταγραφή", ShortCut('O', ssCtrl));
  Item(Owner, menu->Items(), u"Απο&θήκευση", u"Αποθηκεύει την καταγραφή", ShortCut('S', ssCtrl));
  TWtxMenuItem* recent = Item(Owner, menu->Items(), u"&Πρόσφατα");
  Item(Owner, recent, u"dst-κανάλι.log", u"", ShortCut(VK_F2, 0));
  Item(Owner, recent, u"gps-κανάλι.log", u"", ShortCut(VK_F2, ssShift));
  Item(Owner, menu->Items(), u"-");
  Item(Owner, menu->Items(), u"Έ&ξοδος", u"Κλείνει το πρόγραμμα", ShortCut(VK_F4, ssAlt));
  return menu;
}

// Opens the menu once the form is on the screen, and on a right click.
void PopUpOn(TForm* Form, TPopupMenu* Menu, int X, int Y) {
  Form->OnMouseUp = [Form, Menu](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    const TPoint at = Form->ClientToScreen(TPoint{X, Y});
    if (Button == mbRight) Menu->Popup(at.X, at.Y);
  };
  auto* timer = new TTimer(Form);
  timer->SetInterval(300);
  timer->OnTimer = [timer, Form, Menu, X, Y](TObject*) {
    timer->SetEnabled(false);
    const TPoint at = Form->ClientToScreen(TPoint{X, Y});
    Menu->Popup(at.X, at.Y);
  };
}

widetext::TWtxLabel* Note(TForm* Form, std::u16string_view Text, int Top) {
  auto* label = new widetext::TWtxLabel(Form);
  label->SetParent(Form);
  label->SetBounds(16, Top, 420, 20);
  label->SetCaption(Text);
  return label;
}

const SceneRegistration kPopupMenu("popup-menu", "a popup menu with wide captions and shortcut texts", [] {
  widetext::TWtxForm* form = SceneForm(u"Καταγραφές");
  Note(form, u"Δεξί κλικ για το μενού των καταγραφών", 16);
  PopUpOn(form, CaptureMenu(form), 40, 50);
  return form;
});

const SceneRegistration kRightToLeftMenu("rtl-menu", "a right-to-left form with its menu bar and a popup menu", [] {
  SetMiddleEastEnabled(true);
  widetext::TWtxForm* form = SceneForm(u"תפריט מימין לשמאל");
  auto* bar = new widetext::TWtxMainMenu(form);
  TWtxMenuItem* file = Item(form, bar->Items(), u"&קובץ");
  Item(form, file, u"&פתח...", u"", ShortCut('O', ssCtrl));
  Item(form, file, u"&שמור", u"", ShortCut('S', ssCtrl));
  Item(form, bar->Items(), u"&עזרה");
  form->SetMenu(bar);
  form->BiDiMode = bdRightToLeft;
  form->Perform(CM_BIDIMODECHANGED, 0, 0);
  Note(form, u"התפריט נפתח מימין", 16);
  TPopupMenu* menu = CaptureMenu(form);
  menu->SetBiDiMode(bdRightToLeft);
  PopUpOn(form, menu, 420, 50);
  return form;
});

const SceneRegistration kMenuHint("menu-hint", "a form with a menu whose hint follows the selection", [] {
  widetext::TWtxForm* form = SceneForm(u"Υπόδειξη μενού");
  auto* bar = new widetext::TWtxMainMenu(form);
  TWtxMenuItem* file = Item(form, bar->Items(), u"&Αρχείο");
  Item(form, file, u"&Άνοιγμα...", u"Άνοιγμα|Ανοίγει μια καταγραφή από τον δίσκο", ShortCut('O', ssCtrl));
  TWtxMenuItem* recent = Item(form, file, u"&Πρόσφατα", u"Πρόσφατα|Οι καταγραφές που ανοίχτηκαν τελευταίες");
  Item(form, recent, u"dst-κανάλι.log", u"Το κανάλι του DST");
  Item(form, file, u"Έ&ξοδος", u"Έξοδος|Κλείνει το πρόγραμμα", ShortCut(VK_F4, ssAlt));
  Item(form, bar->Items(), u"&Βοήθεια", u"Βοήθεια|Πληροφορίες για το πρόγραμμα");
  form->SetMenu(bar);
  Note(form, u"Η υπόδειξη ακολουθεί την επιλογή:", 200);
  widetext::TWtxLabel* status = Note(form, u"", 224);
  status->Font().SetStyle(fsBold);
  Application->OnHint = [status](TObject*) { status->SetCaption(widetext::WtxApplication()->GetHint()); };
  // The user's first moves, so that the picture shows the menu open.
  auto* timer = new TTimer(form);
  timer->SetInterval(300);
  timer->OnTimer = [timer, form](TObject*) {
    timer->SetEnabled(false);
    QMenuBar* menuBar = ui::WidgetOf(form->Handle())->findChild<QMenuBar*>();
    if (!menuBar || menuBar->actions().isEmpty()) return;
    menuBar->setActiveAction(menuBar->actions().at(0));
    if (QMenu* dropDown = menuBar->actions().at(0)->menu(); dropDown && dropDown->actions().size() > 1) {
      dropDown->setActiveAction(dropDown->actions().at(1));
    }
  };
  return form;
});

}  // namespace
}  // namespace showcase
