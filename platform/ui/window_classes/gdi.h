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
COLORREF GetSysColor(int index);

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
// (right-to-left) language support; neither is set here.
constexpr int SM_DBCSENABLED = 42;
constexpr int SM_MIDEASTENABLED = 74;
int GetSystemMetrics(int index);
// The desktop area not taken by panels, in screen coordinates.
RECT GetWorkArea();

inline void OffsetRect(RECT& r, int dx, int dy) {
  r.left += dx;
  r.right += dx;
  r.top += dy;
  r.bottom += dy;
}
inline void InflateRect(RECT& r, int dx, int dy) {
  r.left -= dx;
  r.right += dx;
  r.top -= dy;
  r.bottom += dy;
}

// a * b / c rounded to the nearest, halves away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

// Fonts. A negative height is the character height in pixels, a positive
// one the cell height.
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
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
HFONT CreateFontIndirect(const LOGFONT& lf);

constexpr int BS_SOLID = 0;
constexpr int BS_NULL = 1;
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH GetStockBrush(int style);  // BS_NULL: the hollow brush

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;
HPEN CreatePen(int style, int width, COLORREF color);

// A 32-bit bitmap, initially white.
HBITMAP CreateBitmap(int width, int height);
SIZE GetBitmapSize(HBITMAP bitmap);

bool DeleteObject(HGDIOBJ object);

// Device contexts: a window's (drawing outside its paint message goes to a
// scratch surface), one over a bitmap, one for measuring.
HDC GetDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC dc);
HDC CreateCompatibleDC(HDC dc);
bool DeleteDC(HDC dc);
// Selecting an object returns the one it replaces; selecting a bitmap into
// a memory DC makes it the surface.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, int kind);
constexpr int OBJ_PEN = 1;
constexpr int OBJ_BRUSH = 2;
constexpr int OBJ_FONT = 6;
constexpr int OBJ_BITMAP = 7;

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  bool fErase = false;
  RECT rcPaint;
};
// Inside a paint message: the DC the presentation is painting through.
HDC BeginPaint(HWND hWnd, PAINTSTRUCT* ps);
bool EndPaint(HWND hWnd, const PAINTSTRUCT* ps);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
// Moves the origin of drawing; returns the previous one.
POINT SetViewportOrg(HDC dc, int x, int y);
// Limits drawing to the rectangle (in the current coordinates); an empty
// rectangle removes the limit.
void SetClipRect(HDC dc, const RECT& rect);
RECT GetClipRect(HDC dc);

// Smoothed edges for the shapes drawn next (off: exact pixels, the
// default); returns the previous setting.
bool SetSmoothing(HDC dc, bool smooth);

bool MoveToEx(HDC dc, int x, int y, POINT* previous);
bool LineTo(HDC dc, int x, int y);
bool Polyline(HDC dc, const POINT* points, int count);
bool Polygon(HDC dc, const POINT* points, int count);
bool Rectangle(HDC dc, int left, int top, int right, int bottom);
bool RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height);
bool Ellipse(HDC dc, int left, int top, int right, int bottom);
int FillRect(HDC dc, const RECT& rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT& rect, HBRUSH brush);
bool DrawFocusRect(HDC dc, const RECT& rect);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
// CLR_INVALID outside the surface.
COLORREF GetPixel(HDC dc, int x, int y);
// Copies (stretching nearest-neighbour) from one DC's surface to another.
bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY);
bool StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight);
// Edges of buttons and fields.
constexpr UINT BDR_RAISEDOUTER = 0x1;
constexpr UINT BDR_SUNKENOUTER = 0x2;
constexpr UINT BDR_RAISEDINNER = 0x4;
constexpr UINT BDR_SUNKENINNER = 0x8;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT BF_RECT = 0xF;
bool DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags);

// Text. ExtTextOut places the text's top-left corner at (x, y).
constexpr UINT ETO_OPAQUE = 0x2;
constexpr UINT ETO_CLIPPED = 0x4;
constexpr UINT ETO_RTLREADING = 0x80;
bool ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, const char16_t* text, int count, const int* dx);
bool ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, int count, const int* dx);
bool TextOutW(HDC dc, int x, int y, const char16_t* text, int count);
bool TextOutA(HDC dc, int x, int y, const char* text, int count);
bool GetTextExtentPoint32W(HDC dc, const char16_t* text, int count, SIZE* size);
bool GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size);
struct TEXTMETRIC {
  std::int32_t tmHeight = 0;
  std::int32_t tmAscent = 0;
  std::int32_t tmDescent = 0;
  std::int32_t tmInternalLeading = 0;
  std::int32_t tmExternalLeading = 0;
  std::int32_t tmAveCharWidth = 0;
  std::int32_t tmMaxCharWidth = 0;
};
bool GetTextMetrics(HDC dc, TEXTMETRIC* tm);

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
// count -1: up to the terminator. Returns the height of the text; with
// DT_CALCRECT only measures, widening or narrowing the rectangle to the
// text and setting its bottom. "&" marks the next character as the
// accelerator ("&&" is a plain "&") unless DT_NOPREFIX.
int DrawTextW(HDC dc, const char16_t* text, int count, RECT* rect, UINT format);
int DrawTextA(HDC dc, const char* text, int count, RECT* rect, UINT format);

}  // namespace platform
