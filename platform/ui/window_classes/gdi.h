#pragma once
// The drawing interface of the window system: device contexts, fonts,
// brushes, pens and bitmaps by handle, and the drawing and text calls the
// program makes, with the window system's rules (rectangles exclude their
// right and bottom edges, a line excludes its end point, text is placed by
// its top-left corner). Drawing is done by Qt behind this header.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/window_system/wintypes.h"

namespace platform {

struct HDC__;
using HDC = HDC__*;
using HGDIOBJ = std::uintptr_t;
using HFONT = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HPEN = HGDIOBJ;
using HBITMAP = HGDIOBJ;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

// System colours.
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
COLORREF GetSysColor(int Index);

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
// Set where the system carries far-east (double-byte) or middle-east
// (right-to-left) language support: never the first here, the second as
// system_settings.h says.
constexpr int SM_DBCSENABLED = 42;
constexpr int SM_MIDEASTENABLED = 74;
int GetSystemMetrics(int Index);
// The desktop area not taken by panels, in screen coordinates.
RECT GetWorkArea();

inline void OffsetRect(RECT& R, int Dx, int Dy) {
  R.left += Dx;
  R.right += Dx;
  R.top += Dy;
  R.bottom += Dy;
}
inline void InflateRect(RECT& R, int Dx, int Dy) {
  R.left -= Dx;
  R.right += Dx;
  R.top -= Dy;
  R.bottom += Dy;
}

// a * b / c rounded to the nearest, halves away from zero; -1 when c is 0.
int MulDiv(int A, int B, int C);

// Fonts. A negative height is the character height in pixels, a positive
// one the cell height.
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
// NOLINTBEGIN(readability-identifier-naming)
struct LOGFONT {
  std::int32_t lfHeight = -11;
  std::int32_t lfWidth = 0;
  std::int32_t lfWeight = FW_NORMAL;
  bool lfItalic = false;
  bool lfUnderline = false;
  bool lfStrikeOut = false;
  std::string lfFaceName = "MS Sans Serif";
  bool operator==(const LOGFONT&) const = default;
};
// NOLINTEND(readability-identifier-naming)
HFONT CreateFontIndirect(const LOGFONT& Lf);

constexpr int BS_SOLID = 0;
constexpr int BS_NULL = 1;
HBRUSH CreateSolidBrush(COLORREF Color);
HBRUSH GetStockBrush(int Style);  // BS_NULL: the hollow brush

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;
HPEN CreatePen(int Style, int Width, COLORREF Color);

// A 32-bit bitmap, initially white.
HBITMAP CreateBitmap(int Width, int Height);
SIZE GetBitmapSize(HBITMAP Bitmap);

bool DeleteObject(HGDIOBJ Object);

// Device contexts: a window's (drawing outside its paint message goes to a
// scratch surface), one over a bitmap, one for measuring.
HDC GetDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC DC);
HDC CreateCompatibleDC(HDC DC);
bool DeleteDC(HDC DC);
// Selecting an object returns the one it replaces; selecting a bitmap into
// a memory DC makes it the surface.
HGDIOBJ SelectObject(HDC DC, HGDIOBJ Object);
HGDIOBJ GetCurrentObject(HDC DC, int Kind);
constexpr int OBJ_PEN = 1;
constexpr int OBJ_BRUSH = 2;
constexpr int OBJ_FONT = 6;
constexpr int OBJ_BITMAP = 7;

// NOLINTBEGIN(readability-identifier-naming)
struct PAINTSTRUCT {
  HDC hdc = nullptr;
  bool fErase = false;
  RECT rcPaint;
};
// NOLINTEND(readability-identifier-naming)
// Inside a paint message: the DC the presentation is painting through.
HDC BeginPaint(HWND hWnd, PAINTSTRUCT* Ps);
bool EndPaint(HWND hWnd, const PAINTSTRUCT* Ps);

COLORREF SetTextColor(HDC DC, COLORREF Color);
COLORREF GetTextColor(HDC DC);
COLORREF SetBkColor(HDC DC, COLORREF Color);
COLORREF GetBkColor(HDC DC);
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
int SetBkMode(HDC DC, int Mode);
int GetBkMode(HDC DC);
// Moves the origin of drawing; returns the previous one.
POINT SetViewportOrg(HDC DC, int X, int Y);
// Limits drawing to the rectangle (in the current coordinates); an empty
// rectangle removes the limit.
void SetClipRect(HDC DC, const RECT& Rect);
RECT GetClipRect(HDC DC);

// The layout of a context. Under LAYOUT_RTL texts are set right to left:
// each one ends (at its right) where it is placed. Returns the previous
// layout; GDI_ERROR for no context.
constexpr DWORD LAYOUT_RTL = 0x1;
constexpr DWORD GDI_ERROR = 0xFFFFFFFFu;
DWORD SetLayout(HDC DC, DWORD Layout);
DWORD GetLayout(HDC DC);

// Smoothed edges for the shapes drawn next (off: exact pixels, the
// default); returns the previous setting.
bool SetSmoothing(HDC DC, bool Smooth);

bool MoveToEx(HDC DC, int X, int Y, POINT* Previous);
bool LineTo(HDC DC, int X, int Y);
bool Polyline(HDC DC, const POINT* Points, int Count);
bool Polygon(HDC DC, const POINT* Points, int Count);
bool Rectangle(HDC DC, int Left, int Top, int Right, int Bottom);
bool RoundRect(HDC DC, int Left, int Top, int Right, int Bottom, int Width, int Height);
bool Ellipse(HDC DC, int Left, int Top, int Right, int Bottom);
int FillRect(HDC DC, const RECT& Rect, HBRUSH Brush);
int FrameRect(HDC DC, const RECT& Rect, HBRUSH Brush);
bool DrawFocusRect(HDC DC, const RECT& Rect);
COLORREF SetPixel(HDC DC, int X, int Y, COLORREF Color);
// CLR_INVALID outside the surface.
COLORREF GetPixel(HDC DC, int X, int Y);
// Copies (stretching nearest-neighbour) from one DC's surface to another.
bool BitBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY);
bool StretchBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, int SrcWidth,
                int SrcHeight);
// Edges of buttons and fields.
constexpr UINT BDR_RAISEDOUTER = 0x1;
constexpr UINT BDR_SUNKENOUTER = 0x2;
constexpr UINT BDR_RAISEDINNER = 0x4;
constexpr UINT BDR_SUNKENINNER = 0x8;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT BF_RECT = 0xF;
bool DrawEdge(HDC DC, RECT* Rect, UINT Edge, UINT Flags);

// Text. ExtTextOut places the text's top-left corner at (x, y), or under
// LAYOUT_RTL its top-right corner; ETO_RTLREADING reads it right to left.
constexpr UINT ETO_OPAQUE = 0x2;
constexpr UINT ETO_CLIPPED = 0x4;
constexpr UINT ETO_RTLREADING = 0x80;
bool ExtTextOutW(HDC DC, int X, int Y, UINT Options, const RECT* Rect, const char16_t* Text, int Count, const int* Dx);
bool ExtTextOutA(HDC DC, int X, int Y, UINT Options, const RECT* Rect, const char* Text, int Count, const int* Dx);
bool TextOutW(HDC DC, int X, int Y, const char16_t* Text, int Count);
bool TextOutA(HDC DC, int X, int Y, const char* Text, int Count);
bool GetTextExtentPoint32W(HDC DC, const char16_t* Text, int Count, SIZE* Size);
bool GetTextExtentPoint32A(HDC DC, const char* Text, int Count, SIZE* Size);
// NOLINTBEGIN(readability-identifier-naming)
struct TEXTMETRIC {
  std::int32_t tmHeight = 0;
  std::int32_t tmAscent = 0;
  std::int32_t tmDescent = 0;
  std::int32_t tmInternalLeading = 0;
  std::int32_t tmExternalLeading = 0;
  std::int32_t tmAveCharWidth = 0;
  std::int32_t tmMaxCharWidth = 0;
};
// NOLINTEND(readability-identifier-naming)
bool GetTextMetrics(HDC DC, TEXTMETRIC* Tm);

constexpr UINT DT_TOP = 0x0;
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_EXPANDTABS = 0x40;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;
constexpr UINT DT_EDITCONTROL = 0x2000;
constexpr UINT DT_END_ELLIPSIS = 0x8000;
constexpr UINT DT_RTLREADING = 0x20000;
// count -1: up to the terminator. DT_RTLREADING reads it right to left.
// Returns the height of the text; with
// DT_CALCRECT only measures, widening or narrowing the rectangle to the
// text and setting its bottom. "&" marks the next character as the
// accelerator ("&&" is a plain "&") unless DT_NOPREFIX.
int DrawTextW(HDC DC, const char16_t* Text, int Count, RECT* Rect, UINT Format);
int DrawTextA(HDC DC, const char* Text, int Count, RECT* Rect, UINT Format);

}  // namespace platform
