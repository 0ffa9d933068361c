#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/window_system/input.h"
#include "platform/ui/window_classes/message_beep.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/grid/string_grid.h"

namespace widetext::testing {
namespace {

// A grid whose second column takes a value "00-00" with its dash.
class GridMaskEdit : public WideFormTest {
 protected:
  void SetUp() override {
    WideFormTest::SetUp();
    Grid = new TWtxStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(8, 8, 400, 150);
    Grid->SetColCount(3);
    Grid->SetRowCount(4);
    Grid->SetOptions(Grid->Options() | platform::goEditing);
    Grid->OnGetEditMask = [](platform::TObject*, int ACol, int, std::string& Mask) {
      if (ACol == 1) Mask = "00-00;1;_";
    };
    Grid->OnSetEditText = [this](platform::TObject*, int ACol, int ARow, const std::u16string& V) {
      Stored.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + std::string(V.begin(), V.end()));
    };
    Form->Show();
    Grid->SetFocus();
    Grid->SetCol(1);
    Grid->SetRow(1);
    Editor = Grid->MaskEditor();
    ASSERT_NE(Editor, nullptr);
  }
  static void Key(platform::HWND hWnd, platform::UINT Vk, std::u16string_view Text = {}) {
    platform::PostKeyDown(hWnd, platform::WM_KEYDOWN, Vk, 1, std::u16string(Text));
    platform::Application->ProcessMessages();
  }
  static void Type(platform::HWND hWnd, std::u16string_view Text) {
    for (const char16_t c : Text) Key(hWnd, 0xE5, std::u16string(1, c));
  }
  TWtxStringGrid* Grid = nullptr;
  TWtxGridMaskEdit* Editor = nullptr;
  std::vector<std::string> Stored;
};

TEST_F(GridMaskEdit, TypingOnACellWithAMaskEditsItInTheMaskedEditorAndEnterCommits) {
  Type(Grid->Handle(), u"1");
  ASSERT_TRUE(Editor->Visible());
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Editor->BoundsRect(), Grid->CellRect(1, 1));
  EXPECT_EQ(platform::GetFocus(), Editor->Handle());
  EXPECT_TRUE(platform::GetWindowLong(Editor->Handle(), platform::GWL_STYLE) & platform::ES_MULTILINE);
  platform::RECT format{};
  platform::SendMessageW(Editor->Handle(), platform::EM_GETRECT, 0, reinterpret_cast<platform::LPARAM>(&format));
  EXPECT_EQ(format, (platform::RECT{2, 2, Editor->Width() - 2, Editor->Height() - 2}));

  // A letter is refused: a beep, and nothing changes.
  const auto beeps = platform::MessageBeepCount();
  Type(Editor->Handle(), u"x");
  EXPECT_EQ(platform::MessageBeepCount(), beeps + 1);
  Type(Editor->Handle(), u"234");
  EXPECT_EQ(Editor->GetCaption(), u"12-34");

  Key(Editor->Handle(), platform::VK_RETURN, u"\r");
  EXPECT_FALSE(Editor->Visible());
  EXPECT_FALSE(Editor->Enabled());
  EXPECT_EQ(Grid->GetCells(1, 1), u"12-34");
  EXPECT_EQ(Stored, std::vector<std::string>{"1,1 12-34"});
  EXPECT_EQ(platform::GetFocus(), Grid->Handle());
  // Enter moved nothing.
  EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(GridMaskEdit, EscapePutsTheOldTextBackAndDownCommitsAndMovesDown) {
  Grid->SetCells(1, 1, u"12-34");
  Grid->ShowEditor();
  ASSERT_TRUE(Editor->Visible());
  EXPECT_EQ(Editor->GetCaption(), u"12-34");
  platform::SendMessageW(Editor->Handle(), platform::EM_SETSEL, 0, 0);
  Type(Editor->Handle(), u"9");
  EXPECT_EQ(Editor->GetCaption(), u"92-34");
  Key(Editor->Handle(), platform::VK_ESCAPE, u"\x1B");
  EXPECT_FALSE(Editor->Visible());
  EXPECT_EQ(Grid->GetCells(1, 1), u"12-34");
  EXPECT_EQ(Stored, std::vector<std::string>{"1,1 12-34"});

  Grid->ShowEditor();
  platform::SendMessageW(Editor->Handle(), platform::EM_SETSEL, 0, 0);
  Type(Editor->Handle(), u"5");
  Key(Editor->Handle(), platform::VK_DOWN);
  EXPECT_EQ(Grid->GetCells(1, 1), u"52-34");
  EXPECT_EQ(Grid->Row(), 2);
  EXPECT_FALSE(Editor->Visible());
  EXPECT_EQ(platform::GetFocus(), Grid->Handle());

  // While the grid gives masks, a cell without one is edited in the same
  // editor, unmasked.
  Grid->SetCol(2);
  Grid->ShowEditor();
  EXPECT_FALSE(Grid->EditorMode());
  ASSERT_TRUE(Editor->Visible());
  EXPECT_FALSE(Editor->IsMasked());
  Type(Editor->Handle(), u"Ωx");
  Key(Editor->Handle(), platform::VK_RETURN, u"\r");
  EXPECT_EQ(Grid->GetCells(2, 2), u"Ωx");
}

TEST_F(GridMaskEdit, ClickingAnotherCellCommitsTheEditAndTheClickIsTimed) {
  // Typed ahead on the grid, both characters reach the editor.
  Type(Grid->Handle(), u"77");
  ASSERT_TRUE(Editor->Visible());
  const platform::TRect target = Grid->CellRect(1, 3);
  const auto at =
      platform::MAKELPARAM(static_cast<platform::WORD>(target.left + 5), static_cast<platform::WORD>(target.top + 5));
  platform::PostMessageW(Grid->Handle(), platform::WM_LBUTTONDOWN, platform::MK_LBUTTON, at);
  platform::PostMessageW(Grid->Handle(), platform::WM_LBUTTONUP, 0, at);
  platform::Application->ProcessMessages();
  EXPECT_FALSE(Editor->Visible());
  // The value keeps the dash and reads the empty places as spaces.
  EXPECT_EQ(Grid->GetCells(1, 1), u"77-  ");
  EXPECT_EQ(Grid->Row(), 3);
  EXPECT_NE(Editor->ClickTime, 0u);
  EXPECT_EQ(Stored, std::vector<std::string>{"1,1 77-  "});
}

}  // namespace
}  // namespace widetext::testing
