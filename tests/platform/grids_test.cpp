#include "platform/ui/controls/grids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/controls/forms.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

class GridTest : public fixture::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    Form->SetBounds(50, 50, 500, 200);
    Grid = new TStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 500, 120);
    Grid->SetColCount(11);
    Grid->SetRowCount(3);
    Grid->SetFixedRows(2);
    Grid->SetDefaultColWidth(40);
    Grid->SetDefaultRowHeight(20);
    Grid->SetColWidths(0, 60);
    Grid->SetOptions(Grid->Options() | goEditing);
    Grid->OnSetEditText = [this](TObject*, int C, int R, const std::string& V) {
      Edits.push_back(std::to_string(C) + "," + std::to_string(R) + "=" + V);
    };
    Form->Show();
    Grid->SetFocus();
  }
  void Type(HWND hWnd, std::u16string_view Text) {
    for (char16_t c : Text) PostKeyDown(hWnd, WM_KEYDOWN, 0xE5, 1, std::u16string(1, c));
    Application->ProcessMessages();
  }
  void Key(HWND hWnd, UINT Vk, char16_t Ch = 0) {
    PostKeyDown(hWnd, WM_KEYDOWN, Vk, 1, Ch ? std::u16string(1, Ch) : std::u16string());
    Application->ProcessMessages();
  }
  TStringGrid* Grid = nullptr;
  std::vector<std::string> Edits;
};

TEST_F(GridTest, CellsAreLaidOutFromTheWidthsAndFoundAgainByPoint) {
  EXPECT_EQ(Grid->CellRect(0, 0), Rect(0, 0, 60, 20));
  EXPECT_EQ(Grid->CellRect(2, 1), Rect(61 + 41, 21, 61 + 41 + 40, 41));
  int c = -1, r = -1;
  Grid->MouseToCell(61 + 41 + 5, 45, c, r);
  EXPECT_EQ(c, 2);
  EXPECT_EQ(r, 2);
  // The current cell never lands on a fixed row.
  EXPECT_EQ(Grid->Row(), 2);
  Grid->SetRow(0);
  EXPECT_EQ(Grid->Row(), 2);
  EXPECT_THROW(Grid->SetFixedRows(3), EInvalidOperation);
}

TEST_F(GridTest, TypingEditsTheCellAndEnterCommitsOnce) {
  Grid->SetCol(3);
  Type(Grid->Handle(), u"1.05");
  ASSERT_TRUE(Grid->EditorMode());
  EXPECT_TRUE(Edits.empty());  // nothing is stored while typing
  Key(Grid->InplaceEditor()->Handle(), VK_RETURN, u'\r');
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Edits, (std::vector<std::string>{"3,2=1.05"}));
  EXPECT_EQ(Grid->Cells(3, 2), "1.05");
  EXPECT_TRUE(Grid->Focused());
}

TEST_F(GridTest, EscapeKeepsTheCellAndMovingAwayCommits) {
  Grid->SetCells(1, 2, "1.00");
  Grid->SetCol(1);
  Type(Grid->Handle(), u"9");
  Key(Grid->InplaceEditor()->Handle(), VK_ESCAPE, 0x1B);
  EXPECT_EQ(Grid->Cells(1, 2), "1.00");
  EXPECT_TRUE(Edits.empty());
  Type(Grid->Handle(), u"7");
  Grid->SetCol(4);
  EXPECT_EQ(Grid->Cells(1, 2), "7");
  EXPECT_EQ(Edits, (std::vector<std::string>{"1,2=7"}));
  // Arrows move the current cell; a click on it opens the editor.
  Key(Grid->Handle(), VK_RIGHT);
  EXPECT_EQ(Grid->Col(), 5);
  const TRect cell = Grid->CellRect(5, 2);
  SendMessageW(Grid->Handle(), WM_LBUTTONDOWN, 1,
               MAKELPARAM(static_cast<WORD>(cell.left + 2), static_cast<WORD>(cell.top + 2)));
  EXPECT_TRUE(Grid->EditorMode());
}

// Every click raises OnClick once, on its release: on another cell, on
// the current cell (which opens the editor) and on a fixed row. A key that
// moves the current cell raises it too.
TEST_F(GridTest, EveryClickRaisesOnClickOnceWhereverItLands) {
  int clicks = 0;
  Grid->OnClick = [&](TObject*) { ++clicks; };
  const auto click = [&](int C, int R) {
    const TRect cell = Grid->CellRect(C, R);
    const LPARAM at = MAKELPARAM(static_cast<WORD>(cell.left + 2), static_cast<WORD>(cell.top + 2));
    SendMessageW(Grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(Grid->Handle(), WM_LBUTTONUP, 0, at);
  };
  click(3, 2);
  EXPECT_EQ(Grid->Col(), 3);
  EXPECT_EQ(clicks, 1);
  click(3, 2);
  EXPECT_TRUE(Grid->EditorMode());
  EXPECT_EQ(clicks, 2);
  Grid->HideEditor(false);
  click(5, 0);
  EXPECT_EQ(Grid->Col(), 3);
  EXPECT_EQ(clicks, 3);
  Key(Grid->Handle(), VK_RIGHT);
  EXPECT_EQ(Grid->Col(), 4);
  EXPECT_EQ(clicks, 4);
}

// An editor that shows the cell's text in brackets, and a grid that
// uses it and limits edits to six characters.
class BracketEditor : public TInplaceEdit {
 public:
  using TInplaceEdit::TInplaceEdit;
  int Prepared = 0;

 protected:
  void UpdateContents() override {
    TInplaceEdit::UpdateContents();
    ++Prepared;
    SetText("[" + Text() + "]");
  }
};

class BracketGrid : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;

 protected:
  TInplaceEdit* CreateEditor() override { return new BracketEditor(this); }
  int GetEditLimit() override { return 6; }
};

TEST_F(GridTest, TheEditorPreparesItsOwnContentsEachTimeItShows) {
  auto* grid = new BracketGrid(Form);
  grid->SetParent(Form);
  grid->SetBounds(0, 130, 300, 60);
  grid->SetOptions(grid->Options() | goEditing);
  grid->SetCells(1, 1, "1.00");
  grid->SetCells(2, 1, "0.98");
  grid->SetFocus();
  grid->ShowEditor();
  auto* editor = dynamic_cast<BracketEditor*>(grid->InplaceEditor());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->Text(), "[1.00]");
  EXPECT_EQ(editor->MaxLength(), 6);
  grid->HideEditor(false);
  grid->SetCol(2);
  grid->ShowEditor();
  EXPECT_EQ(editor->Text(), "[0.98]");
  EXPECT_EQ(editor->Prepared, 2);
}

}  // namespace
