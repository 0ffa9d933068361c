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
    form_->SetBounds(50, 50, 500, 200);
    grid_ = new TStringGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(0, 0, 500, 120);
    grid_->SetColCount(11);
    grid_->SetRowCount(3);
    grid_->SetFixedRows(2);
    grid_->SetDefaultColWidth(40);
    grid_->SetDefaultRowHeight(20);
    grid_->SetColWidths(0, 60);
    grid_->SetOptions(grid_->Options() | goEditing);
    grid_->OnSetEditText = [this](TObject*, int c, int r, const std::string& v) {
      edits_.push_back(std::to_string(c) + "," + std::to_string(r) + "=" + v);
    };
    form_->Show();
    grid_->SetFocus();
  }
  void Type(HWND h, std::u16string_view text) {
    for (char16_t c : text) PostKeyDown(h, WM_KEYDOWN, 0xE5, 1, std::u16string(1, c));
    Application->ProcessMessages();
  }
  void Key(HWND h, UINT vk, char16_t ch = 0) {
    PostKeyDown(h, WM_KEYDOWN, vk, 1, ch ? std::u16string(1, ch) : std::u16string());
    Application->ProcessMessages();
  }
  TStringGrid* grid_ = nullptr;
  std::vector<std::string> edits_;
};

TEST_F(GridTest, CellsAreLaidOutFromTheWidthsAndFoundAgainByPoint) {
  EXPECT_EQ(grid_->CellRect(0, 0), Rect(0, 0, 60, 20));
  EXPECT_EQ(grid_->CellRect(2, 1), Rect(61 + 41, 21, 61 + 41 + 40, 41));
  int c = -1, r = -1;
  grid_->MouseToCell(61 + 41 + 5, 45, c, r);
  EXPECT_EQ(c, 2);
  EXPECT_EQ(r, 2);
  // The current cell never lands on a fixed row.
  EXPECT_EQ(grid_->Row(), 2);
  grid_->SetRow(0);
  EXPECT_EQ(grid_->Row(), 2);
  EXPECT_THROW(grid_->SetFixedRows(3), EInvalidOperation);
}

TEST_F(GridTest, TypingEditsTheCellAndEnterCommitsOnce) {
  grid_->SetCol(3);
  Type(grid_->Handle(), u"1.05");
  ASSERT_TRUE(grid_->EditorMode());
  EXPECT_TRUE(edits_.empty());  // nothing is stored while typing
  Key(grid_->InplaceEditor()->Handle(), VK_RETURN, u'\r');
  EXPECT_FALSE(grid_->EditorMode());
  EXPECT_EQ(edits_, (std::vector<std::string>{"3,2=1.05"}));
  EXPECT_EQ(grid_->Cells(3, 2), "1.05");
  EXPECT_TRUE(grid_->Focused());
}

TEST_F(GridTest, EscapeKeepsTheCellAndMovingAwayCommits) {
  grid_->SetCells(1, 2, "1.00");
  grid_->SetCol(1);
  Type(grid_->Handle(), u"9");
  Key(grid_->InplaceEditor()->Handle(), VK_ESCAPE, 0x1B);
  EXPECT_EQ(grid_->Cells(1, 2), "1.00");
  EXPECT_TRUE(edits_.empty());
  Type(grid_->Handle(), u"7");
  grid_->SetCol(4);
  EXPECT_EQ(grid_->Cells(1, 2), "7");
  EXPECT_EQ(edits_, (std::vector<std::string>{"1,2=7"}));
  // Arrows move the current cell; a click on it opens the editor.
  Key(grid_->Handle(), VK_RIGHT);
  EXPECT_EQ(grid_->Col(), 5);
  const TRect cell = grid_->CellRect(5, 2);
  SendMessageW(grid_->Handle(), WM_LBUTTONDOWN, 1,
               MAKELPARAM(static_cast<WORD>(cell.left + 2), static_cast<WORD>(cell.top + 2)));
  EXPECT_TRUE(grid_->EditorMode());
}

// An editor that shows the cell's text in brackets, and a grid that
// uses it and limits edits to six characters.
class BracketEditor : public TInplaceEdit {
 public:
  using TInplaceEdit::TInplaceEdit;
  int prepared = 0;

 protected:
  void UpdateContents() override {
    TInplaceEdit::UpdateContents();
    ++prepared;
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
  auto* grid = new BracketGrid(form_);
  grid->SetParent(form_);
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
  EXPECT_EQ(editor->prepared, 2);
}

}  // namespace
