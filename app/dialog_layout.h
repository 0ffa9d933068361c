#pragma once
// Where the message dialog puts its text, buttons and check box, from the
// measures of the wrapped message: the dialog is as wide as its widest line
// (within 420 pixels, never narrower than its buttons) and as high as its
// lines, the buttons and the check box.

namespace app {

// The widest a dialog gets; the message wraps within it, less the margins.
inline constexpr int kDialogMaxWidth = 420;

struct TDialogMeasures {
  int WidestLine = 0;  // of the wrapped message
  int LineCount = 0;
  int LineHeight = 0;   // of the first line; 0 without lines
  bool Single = false;  // one button (Ok) rather than two
  bool CheckBox = false;
  int ButtonWidth = 105;
  int ButtonHeight = 33;
  int CheckHeight = 18;
  int Margin = 5;
  // The pitch of the lines in text heights. It is kept in single
  // precision: the spacing it gives is rounded from that value.
  float LineFactor = 1.3f;
};

struct TDialogLayout {
  int ClientWidth = 0;
  int ClientHeight = 0;
  int OkLeft = 0;
  int OkTop = 0;
  int CancelLeft = 0;  // two buttons only
  int CheckLeft = 0;   // with the check box only
  int CheckTop = 0;
};

TDialogLayout LayOutDialog(const TDialogMeasures& M);
// The top of line Index (from 0) of Height pixels.
int DialogLineTop(int Index, int Height, float LineFactor, int Margin);
// The left of a line Width pixels wide: centred when the message is one
// line, else at the margin.
int DialogLineLeft(int ClientWidth, int Width, int LineCount, int Margin);

}  // namespace app
