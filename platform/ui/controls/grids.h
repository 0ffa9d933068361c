#pragma once
// Grids: a painted table of cells with fixed rows and columns, column
// widths and row heights set from code, a current cell moved by mouse and
// keys, and an in-place editor; the string grid keeps an 8-bit text per
// cell. Cell text is edited in the editor and handed to SetEditText when
// the edit is committed (Enter, leaving the cell or the grid).

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/controls/stdctrls.h"

namespace platform {

enum TGridOption : unsigned {
  goFixedVertLine = 1u << 0,
  goFixedHorzLine = 1u << 1,
  goVertLine = 1u << 2,
  goHorzLine = 1u << 3,
  goRangeSelect = 1u << 4,
  goDrawFocusSelected = 1u << 5,
  goRowSizing = 1u << 6,
  goColSizing = 1u << 7,
  goEditing = 1u << 10,
  goTabs = 1u << 11,
  goRowSelect = 1u << 12,
  goAlwaysShowEditor = 1u << 13,
  goThumbTracking = 1u << 14,
};
using TGridOptions = unsigned;
enum TGridDrawStateFlag : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

class TCustomGrid;

// The editor that appears over the current cell.
class TInplaceEdit : public TCustomEdit {
 public:
  explicit TInplaceEdit(TCustomGrid* Grid);
  TCustomGrid* Grid() const { return grid_; }
  // The edit mask of the cell being edited, taken as the editor fills
  // itself; empty for none.
  const std::string& EditMask() const { return editMask_; }
  void WndProc(TMessage& Message) override;

 protected:
  friend class TCustomGrid;
  // Fills the editor for the grid's current cell before it shows: by
  // default the cell's edit mask, its edit text and the grid's length
  // limit. An editor that keeps its text in another form fills itself here.
  virtual void UpdateContents();
  // What the grid says of its current cell.
  std::string CellEditMask() const;
  std::string CellEditText() const;
  int CellEditLimit() const;
  void SetEditMask(const std::string& Value) { editMask_ = Value; }
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void CreateParams(TCreateParams& Params) override;

 private:
  TCustomGrid* grid_;
  std::string editMask_;
};

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;

class TCustomGrid : public TCustomControl {
 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  int ColCount() const { return colCount_; }
  void SetColCount(int Value);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int Value);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int Value);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int Value);
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int Value);
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Value);
  int GridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int Value);
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions Value);
  int Col() const { return col_; }
  void SetCol(int Value);
  int Row() const { return row_; }
  void SetRow(int Value);
  int TopRow() const { return topRow_; }
  void SetTopRow(int Value);
  int LeftCol() const { return leftCol_; }
  void SetLeftCol(int Value);
  bool EditorMode() const { return editorMode_; }
  void SetEditorMode(bool Value);
  bool DefaultDrawing = true;
  TColor FixedColor = clBtnFace;
  TScrollStyle ScrollBars = ssNone;

  TRect CellRect(int ACol, int ARow);
  void MouseToCell(int X, int Y, int& ACol, int& ARow);
  void InvalidateCell(int ACol, int ARow);
  void InvalidateGrid() { Invalidate(); }
  TInplaceEdit* InplaceEditor() const { return editor_; }

  // Ends an edit: with Accept the editor's text goes to SetEditText.
  void HideEditor(bool Accept = true);
  void ShowEditor();
  // Shows the editor with the character typed in it.
  virtual void ShowEditorChar(char Ch);

  TNotifyEvent OnTopLeftChanged;
  void WndProc(TMessage& Message) override;

 protected:
  virtual void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) = 0;
  virtual std::string GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const std::string& Value);
  virtual std::string GetEditMask(int ACol, int ARow);
  virtual int GetEditLimit() { return 0; }
  virtual TInplaceEdit* CreateEditor();
  virtual bool CanEditShow();
  virtual bool SelectCell(int ACol, int ARow);
  void Paint() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Without Clicks the move raises no OnClick: a mouse click raises it
  // on its release, whether or not it moved the current cell.
  void MoveCurrent(int ACol, int ARow, bool Clicks = true);

 private:
  friend class TInplaceEdit;
  int ColLeft(int ACol) const;
  int RowTop(int ARow) const;
  void Resized();

  int colCount_ = 5;
  int rowCount_ = 5;
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  std::vector<int> colWidths_;
  std::vector<int> rowHeights_;
  int gridLineWidth_ = 1;
  TGridOptions options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  int col_ = 1;
  int row_ = 1;
  int topRow_ = 1;
  int leftCol_ = 1;
  bool editorMode_ = false;
  TInplaceEdit* editor_ = nullptr;
};

class TDrawGrid : public TCustomGrid {
 public:
  using TCustomGrid::TCustomGrid;
  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;
  TGetEditEvent OnGetEditMask;

 protected:
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  std::string GetEditMask(int ACol, int ARow) override;
  bool SelectCell(int ACol, int ARow) override;
};

class TStringGrid : public TDrawGrid {
 public:
  using TDrawGrid::TDrawGrid;
  std::string Cells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, const std::string& Value);
  TObject* Objects(int ACol, int ARow) const;
  void SetObjects(int ACol, int ARow, TObject* Value);

 protected:
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;

 private:
  std::map<std::pair<int, int>, std::string> cells_;
  std::map<std::pair<int, int>, TObject*> objects_;
};

}  // namespace platform
