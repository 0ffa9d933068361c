#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <functional>

#include "platform/ui/controls/comctrls.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/stdctrls.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

// Every freed window gives its Qt widget back: after many cycles of making
// and freeing, Qt holds as many widgets and top-level windows as before.
class WidgetLifetimeTest : public fixture::FormTest {
 protected:
  struct Census {
    qsizetype Widgets;
    qsizetype Windows;
    bool operator==(const Census&) const = default;
  };
  // Freeing from inside a window procedure completes at the next message
  // retrieval, which the count runs first.
  static Census Count() {
    Application->ProcessMessages();
    return {QApplication::allWidgets().size(), QApplication::topLevelWidgets().size()};
  }
  // One round first: what Qt makes once and keeps (styles, fonts) is not a
  // leak.
  static void ExpectNoGrowth(const std::function<void()>& Cycle) {
    Cycle();
    const Census before = Count();
    for (int i = 0; i < 50; ++i) Cycle();
    const Census after = Count();
    EXPECT_EQ(after.Widgets, before.Widgets);
    EXPECT_EQ(after.Windows, before.Windows);
  }
};

TEST_F(WidgetLifetimeTest, FormsShownAndFreedGiveBackTheirWidgets) {
  ExpectNoGrowth([] {
    auto* form = new TForm(nullptr, TCustomForm::CreateNew);
    form->SetBounds(10, 10, 300, 200);
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    combo->SetTop(30);
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->SetTop(60);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetTop(120);
    form->Show();
    Free(form);
  });
}

TEST_F(WidgetLifetimeTest, ControlsFreedOnALivingFormGiveBackTheirWidgets) {
  TForm* form = Form;
  form->Show();
  ExpectNoGrowth([form] {
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    auto* tree = new TTreeView(form);
    tree->SetParent(form);
    memo->HandleNeeded();
    tree->HandleNeeded();
    Free(memo);
    Free(tree);
  });
}

TEST_F(WidgetLifetimeTest, HintWindowsAndRecreatedWindowsGiveBackTheirWidgets) {
  TForm* form = Form;
  auto* button = new TButton(form);
  button->SetParent(form);
  form->Show();
  ExpectNoGrowth([form, button] {
    auto* hint = new THintWindow(nullptr);
    hint->ActivateHint(Rect(20, 20, 120, 40), "tip");
    hint->ReleaseHandle();
    hint->ActivateHint(Rect(20, 20, 120, 40), "tip again");
    Free(hint);
    button->SetDefault(!button->Default());
    form->SetBorderStyle(form->BorderStyle() == bsSizeable ? bsDialog : bsSizeable);
  });
}

// A control freed by a handler that its own widget's signal called: the
// widget goes once the handler has returned, not under the toolkit's feet.
TEST_F(WidgetLifetimeTest, AControlFreedByItsOwnClickGivesBackItsWidgetAfterwards) {
  TForm* form = Form;
  form->Show();
  ExpectNoGrowth([form] {
    auto* button = new TButton(form);
    button->SetParent(form);
    auto* other = new TEdit(form);
    other->SetParent(form);
    other->HandleNeeded();
    button->OnClick = [button, other](TObject*) {
      Free(other);
      Free(button);
    };
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  });
}

// The same for a list box whose selection, made by a click, frees it: the
// list view is in the middle of handling that click.
TEST_F(WidgetLifetimeTest, AListFreedByTheSelectionItsClickMadeGivesBackItsWidgetAfterwards) {
  TForm* form = Form;
  form->Show();
  ExpectNoGrowth([form] {
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->SetBounds(0, 0, 100, 100);
    list->Items().Add("one");
    list->Items().Add("two");
    list->OnClick = [list](TObject*) { Free(list); };
    QWidget* viewport = static_cast<QAbstractScrollArea*>(ui::WidgetOf(list->Handle()))->viewport();
    const QPoint at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(viewport->mapToGlobal(at)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &press);
    Application->ProcessMessages();
  });
}

}  // namespace
