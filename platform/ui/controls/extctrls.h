#pragma once
// More controls of the class library: the image, the shape (the status
// lamps), the panel and the bevel, and the timer.

#include <memory>

#include "platform/ui/controls/controls.h"

namespace platform {

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  TPicture& Picture() { return *picture_; }
  // Puts a picture object of another class in place; it takes over the
  // change events of the one it replaces.
  void ReplacePicture(std::unique_ptr<TPicture> Picture);
  bool Stretch = false;
  bool Center = false;
  bool Proportional = false;
  bool Transparent = false;
  bool AutoSize = false;

 protected:
  void Paint() override;
  TRect DestRect();

 private:
  void PictureChanged();
  std::unique_ptr<TPicture> picture_;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* AOwner);
  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType Value);
  TBrush& Brush() { return brush_; }
  TPen& Pen() { return pen_; }

 protected:
  void Paint() override;

 private:
  TShapeType shape_ = stRectangle;
  TBrush brush_;
  TPen pen_;
};

enum TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* AOwner);
  TBevelCut BevelInner = bvNone;
  TBevelCut BevelOuter = bvRaised;
  int BevelWidth = 1;
  TAlignment Alignment = taCenter;
  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape Shape = bsBox;
  TBevelStyle Style = bsLowered;

 protected:
  void Paint() override;
};

// Fires OnTimer every Interval milliseconds on the user-interface thread
// while enabled.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  UINT Interval() const { return interval_; }
  void SetInterval(UINT Value);
  TNotifyEvent OnTimer;

 private:
  static LRESULT Proc(void* Self, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
  void Update();
  HWND window_ = nullptr;
  bool enabled_ = true;
  UINT interval_ = 1000;
};

}  // namespace platform
