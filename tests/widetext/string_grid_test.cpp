#include <gtest/gtest.h>

#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/widetext/golden_helpers.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/wide_canvas.h"
#include "widetext/grid/string_grid.h"

namespace widetext::testing {
namespace {

class StringGrid : public WideFormTest {
 protected:
  void SetUp() override {
    WideFormTest::SetUp();
    Grid = new TWtxStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(8, 8, 400, 150);
    Grid->SetColCount(4);
    Grid->SetRowCount(4);
  }
  void Post(platform::HWND hWnd, char16_t C) {
    platform::PostMessageW(hWnd, platform::WM_CHAR, C, 0);
    platform::Application->ProcessMessages();
  }
  TWtxStringGrid* Grid = nullptr;
};

TEST_F(StringGrid, CellsHoldAnyUtf16Text) {
  const std::u16string texts[] = {kGreek, kPolish, u"中文", u"\U0001D11E clef", u"lone \xD800 half", u""};
  for (const std::u16string& text : texts) {
    Grid->SetCells(1, 2, text);
    EXPECT_EQ(Grid->GetCells(1, 2), text);
  }
  Grid->SetCells(2, 1, u"Ωa");
  EXPECT_EQ(Grid->Cells(2, 1),
            "\xCE\xA9"
            "a");
}

TEST_F(StringGrid, CellsWrittenIn8BitsReadBackAsTheyWereMeant) {
  auto& plain = static_cast<platform::TStringGrid&>(*Grid);
  plain.SetCells(1, 1, "12.5 kn");
  EXPECT_EQ(Grid->GetCells(1, 1), u"12.5 kn");
  // Not UTF-8: the class library's own code page, nothing lost.
  plain.SetCells(1, 1,
                 "25\xB0"
                 "C \xE9t\xE9");
  EXPECT_EQ(Grid->GetCells(1, 1), u"25°C été");
}

TEST_F(StringGrid, TypingEditsTheCellInPlaceAsUtf16) {
  Grid->SetOptions(Grid->Options() | platform::goEditing);
  std::vector<std::u16string> wide;
  std::vector<std::string> narrow;
  Grid->OnSetEditText = [&](platform::TObject*, int, int, const std::u16string& V) { wide.push_back(V); };
  Grid->platform::TDrawGrid::OnSetEditText = [&](platform::TObject*, int, int, const std::string& V) {
    narrow.push_back(V);
  };
  Form->Show();
  Grid->SetFocus();
  Grid->SetCol(2);
  Grid->SetRow(1);
  Post(Grid->Handle(), u'Σ');
  ASSERT_TRUE(Grid->EditorMode());
  platform::TInplaceEdit* editor = Grid->InplaceEditor();
  EXPECT_TRUE(platform::IsWindowUnicode(editor->WindowHandle()));
  Post(editor->WindowHandle(), u'ą');
  Post(editor->WindowHandle(), u'1');
  EXPECT_EQ(WideGetWindowText(editor), u"Σą1");
  Post(editor->WindowHandle(), u'\r');
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->GetCells(2, 1), u"Σą1");
  EXPECT_EQ(wide, std::vector<std::u16string>{u"Σą1"});
  EXPECT_EQ(narrow.size(), 1u);

  // Editing the cell again starts from its wide text, never its bytes.
  Grid->ShowEditor();
  EXPECT_EQ(WideGetWindowText(Grid->InplaceEditor()), u"Σą1");
  Grid->HideEditor(false);
}

TEST_F(StringGrid, TheEditTextEventMayReplaceWhatTheEditorStartsWith) {
  Grid->SetOptions(Grid->Options() | platform::goEditing);
  Grid->SetCells(1, 1, u"stored");
  Grid->OnGetEditText = [](platform::TObject*, int, int, std::u16string& V) { V = u"Ελέγχω " + V; };
  Form->Show();
  Grid->ShowEditor();
  EXPECT_EQ(WideGetWindowText(Grid->InplaceEditor()), u"Ελέγχω stored");
  Grid->HideEditor(true);
  EXPECT_EQ(Grid->GetCells(1, 1), u"Ελέγχω stored");
}

TEST_F(StringGrid, RendersItsCellsWithTheirOwnCharacters) {
  Grid->SetCells(0, 1, u"Πρόσθια");
  Grid->SetCells(0, 2, u"Łódź");
  Grid->SetCells(1, 0, u"Ταχύτητα");
  Grid->SetCells(2, 0, u"Współczynnik");
  Grid->SetCells(1, 1, u"5,0 kn");
  Grid->SetCells(2, 1, u"1,02");
  Grid->SetCells(1, 2, kPolish);
  Grid->SetColWidths(1, 150);
  Form->Show();
  platform::Application->ProcessMessages();
  EXPECT_TRUE(platform::ui::SaveWindowImage(Form->Handle(), "wide_string_grid.png"));

  // Each cell shows its wide text two pixels in, on the grid's colour (the
  // current cell, highlighted, and the fixed ones, raised, aside).
  const QImage shown = platform::ui::Grab(Grid->Handle());
  for (const auto& [col, row] : {std::pair{2, 1}, std::pair{1, 2}}) {
    const platform::TRect cell = Grid->CellRect(col, row);
    const std::u16string text = Grid->GetCells(col, row);
    EXPECT_TRUE(golden::MatchesDrawing(shown, QPoint(0, 0), cell,
                                       [&](platform::TCanvas& C, platform::TRect R) {
                                         C.Font().Assign(&Grid->Font());
                                         C.Brush().SetColor(Grid->Color());
                                         C.FillRect(R);
                                         WideCanvasTextRect(C, R, R.left + 2, R.top + 2, text);
                                       }))
        << "cell " << col << "," << row;
  }
}

}  // namespace
}  // namespace widetext::testing
