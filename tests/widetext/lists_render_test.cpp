#include <gtest/gtest.h>

#include <QComboBox>
#include <QListView>
#include <QPlainTextEdit>

#include <string>
#include <vector>

#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/widetext/golden_helpers.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/list_box.h"
#include "widetext/standard/memo.h"

namespace widetext::testing {
namespace {

using ListsRender = WideFormTest;

TEST_F(ListsRender, MemoComboAndListBoxesShowTheirOwnCharacters) {
  auto* memo = new TWtxMemo(Form);
  memo->SetParent(Form);
  memo->SetBounds(8, 8, 220, 120);
  memo->GetLines().Add(u"$SDDBT,12.4,f,3.8,M,2.0,F*3A");
  memo->GetLines().Add(u"Βάθος 3,8 m – Θερμοκρασία 14 °C");
  memo->GetLines().Add(kPolish);

  auto* list = new TWtxComboBox(Form);
  list->SetParent(Form);
  list->SetBounds(240, 8, 220, 24);
  list->SetStyle(platform::csDropDownList);
  list->GetItems().Add(u"Ελληνικά");
  list->GetItems().Add(u"Polski – łódź");
  list->SetItemIndex(0);

  auto* editable = new TWtxComboBox(Form);
  editable->SetParent(Form);
  editable->SetBounds(240, 40, 220, 24);
  editable->SetText(u"Zażółć");

  auto* box = new TWtxListBox(Form);
  box->SetParent(Form);
  box->SetBounds(240, 72, 220, 120);
  const std::vector<std::u16string> items = {u"1,02 ώρα", u"0,98 prędkość", u"1,00 ταχύτητα"};
  for (const std::u16string& item : items) box->GetItems().Add(item);
  box->SetItemIndex(1);

  Form->Show();
  platform::Application->ProcessMessages();
  EXPECT_TRUE(platform::ui::SaveWindowImage(Form->Handle(), "wide_lists.png"));

  // What the widgets show is the wide text, and it leaves ink.
  auto* lines = qobject_cast<QPlainTextEdit*>(platform::ui::WidgetOf(memo->Handle()));
  ASSERT_NE(lines, nullptr);
  const QStringList shownLines = lines->toPlainText().split(u'\n');
  ASSERT_GE(shownLines.size(), 3);
  EXPECT_EQ(shownLines[1], QString::fromUtf16(u"Βάθος 3,8 m – Θερμοκρασία 14 °C"));
  EXPECT_EQ(shownLines[2], platform::ui::ToQString(kPolish));
  auto* chosen = qobject_cast<QComboBox*>(platform::ui::WidgetOf(list->Handle()));
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->currentText(), QString::fromUtf16(u"Ελληνικά"));
  auto* typed = qobject_cast<QComboBox*>(platform::ui::WidgetOf(editable->Handle()));
  ASSERT_NE(typed, nullptr);
  EXPECT_EQ(typed->currentText(), QString::fromUtf16(u"Zażółć"));
  auto* rows = qobject_cast<QListView*>(platform::ui::WidgetOf(box->Handle()));
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(rows->model()->index(1, 0).data().toString(), QString::fromUtf16(u"0,98 prędkość"));
  EXPECT_EQ(rows->currentIndex().row(), 1);
  for (QWidget* w :
       {static_cast<QWidget*>(lines->viewport()), static_cast<QWidget*>(chosen), static_cast<QWidget*>(typed)}) {
    const QImage image = w->grab().toImage();
    EXPECT_GT(golden::InkIn(image, image.rect().adjusted(2, 2, -2, -2)), 50);
  }
  // Each item of the list box on its own row, in the order of the items,
  // on the picture of the form.
  const QImage picture = platform::ui::Grab(Form->Handle());
  QWidget* form = platform::ui::WidgetOf(Form->Handle());
  ASSERT_EQ(rows->model()->rowCount(), static_cast<int>(items.size()));
  for (int i = 0; i < rows->model()->rowCount(); ++i) {
    const QRect row = rows->visualRect(rows->model()->index(i, 0));
    EXPECT_EQ(row.top(), i * row.height()) << "row " << i;
    const QRect at(rows->viewport()->mapTo(form, row.topLeft()), row.size());
    EXPECT_TRUE(
        golden::ShowsTextIn(picture, at, {platform::ui::ToQString(items[static_cast<std::size_t>(i)]), rows->font()}))
        << "row " << i;
  }
}

}  // namespace
}  // namespace widetext::testing
