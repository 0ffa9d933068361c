#include <gtest/gtest.h>

#include "platform/ui/window_classes/presentation.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/controls/control_text.h"
#include "widetext/grid/string_grid.h"

namespace widetext::testing {
namespace {

class StringGrid : public WideFormTest {
 protected:
  void SetUp() override {
    WideFormTest::SetUp();
    grid_ = new TWtxStringGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(8, 8, 400, 150);
    grid_->SetColCount(4);
    grid_->SetRowCount(4);
  }
  void Post(platform::HWND h, char16_t c) {
    platform::PostMessageW(h, platform::WM_CHAR, c, 0);
    platform::Application->ProcessMessages();
  }
  TWtxStringGrid* grid_ = nullptr;
};

TEST_F(StringGrid, CellsHoldAnyUtf16Text) {
  const std::u16string texts[] = {kGreek, kPolish, u"中文", u"\U0001D11E clef", u"lone \xD800 half", u""};
  for (const std::u16string& text : texts) {
    grid_->SetCells(1, 2, text);
    EXPECT_EQ(grid_->GetCells(1, 2), text);
  }
  grid_->SetCells(2, 1, u"Ωa");
  EXPECT_EQ(grid_->Cells(2, 1),
            "\xCE\xA9"
            "a");
}

TEST_F(StringGrid, CellsWrittenIn8BitsReadBackAsTheyWereMeant) {
  auto& plain = static_cast<platform::TStringGrid&>(*grid_);
  plain.SetCells(1, 1, "12.5 kn");
  EXPECT_EQ(grid_->GetCells(1, 1), u"12.5 kn");
  // Not UTF-8: the class library's own code page, nothing lost.
  plain.SetCells(1, 1,
                 "25\xB0"
                 "C \xE9t\xE9");
  EXPECT_EQ(grid_->GetCells(1, 1), u"25°C été");
}

TEST_F(StringGrid, TypingEditsTheCellInPlaceAsUtf16) {
  grid_->SetOptions(grid_->Options() | platform::goEditing);
  std::vector<std::u16string> wide;
  std::vector<std::string> narrow;
  grid_->OnSetEditText = [&](platform::TObject*, int, int, const std::u16string& v) { wide.push_back(v); };
  grid_->platform::TDrawGrid::OnSetEditText = [&](platform::TObject*, int, int, const std::string& v) {
    narrow.push_back(v);
  };
  form_->Show();
  grid_->SetFocus();
  grid_->SetCol(2);
  grid_->SetRow(1);
  Post(grid_->Handle(), u'Σ');
  ASSERT_TRUE(grid_->EditorMode());
  platform::TInplaceEdit* editor = grid_->InplaceEditor();
  EXPECT_TRUE(platform::IsWindowUnicode(editor->WindowHandle()));
  Post(editor->WindowHandle(), u'ą');
  Post(editor->WindowHandle(), u'1');
  EXPECT_EQ(WideGetWindowText(editor), u"Σą1");
  Post(editor->WindowHandle(), u'\r');
  EXPECT_FALSE(grid_->EditorMode());
  EXPECT_EQ(grid_->GetCells(2, 1), u"Σą1");
  EXPECT_EQ(wide, std::vector<std::u16string>{u"Σą1"});
  EXPECT_EQ(narrow.size(), 1u);

  // Editing the cell again starts from its wide text, never its bytes.
  grid_->ShowEditor();
  EXPECT_EQ(WideGetWindowText(grid_->InplaceEditor()), u"Σą1");
  grid_->HideEditor(false);
}

TEST_F(StringGrid, TheEditTextEventMayReplaceWhatTheEditorStartsWith) {
  grid_->SetOptions(grid_->Options() | platform::goEditing);
  grid_->SetCells(1, 1, u"stored");
  grid_->OnGetEditText = [](platform::TObject*, int, int, std::u16string& v) { v = u"Ελέγχω " + v; };
  form_->Show();
  grid_->ShowEditor();
  EXPECT_EQ(WideGetWindowText(grid_->InplaceEditor()), u"Ελέγχω stored");
  grid_->HideEditor(true);
  EXPECT_EQ(grid_->GetCells(1, 1), u"Ελέγχω stored");
}

TEST_F(StringGrid, RendersItsCellsWithTheirOwnCharacters) {
  grid_->SetCells(0, 1, u"Πρόσθια");
  grid_->SetCells(0, 2, u"Łódź");
  grid_->SetCells(1, 0, u"Ταχύτητα");
  grid_->SetCells(2, 0, u"Współczynnik");
  grid_->SetCells(1, 1, u"5,0 kn");
  grid_->SetCells(2, 1, u"1,02");
  grid_->SetCells(1, 2, kPolish);
  grid_->SetColWidths(1, 150);
  form_->Show();
  platform::Application->ProcessMessages();
  EXPECT_TRUE(platform::ui::SaveWindowImage(form_->Handle(), "wide_string_grid.png"));
}

}  // namespace
}  // namespace widetext::testing
