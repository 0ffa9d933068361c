#pragma once
// Reference pictures for what the font decides: a rendered control is
// written as <name>.png beside the test program (in the build tree, from
// whatever folder it runs) for a person to look at, and compared pixel by
// pixel with tests/widetext/golden/<name>.png. With VELTROSA_UPDATE_GOLDEN
// set in the environment the reference is rewritten instead (look at it
// before committing it).

#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <string>

#include "platform/ui/controls/graphics.h"

namespace golden {

::testing::AssertionResult MatchesGolden(const QImage& Image, const std::string& Name);

// What Shown holds at Origin + Area against what Draw draws there on a
// bitmap of Area's size (its canvas set so that Area's own coordinates
// draw in place): for a control that draws through the same drawing
// interface, pixel for pixel.
::testing::AssertionResult MatchesDrawing(const QImage& Shown, QPoint Origin, const platform::TRect& Area,
                                          const std::function<void(platform::TCanvas&, platform::TRect)>& Draw);

// The pixels of Area in Image that differ from its colour at Area's
// top-left corner: the ink of a text drawn on a plain ground.
int InkIn(const QImage& Image, const QRect& Area);

// The smallest rectangle holding the ink of Area in Image: the pixels that
// stand out clearly from the colour at Area's top-left corner; empty when
// there is none.
QRect InkBounds(const QImage& Image, const QRect& Area);

// Where and how a text is expected on a picture: Text drawn in Font, its
// reading order given by Direction; with Mnemonic its "&" underlines the
// next character, as a control's caption shows it.
struct ExpectedText {
  QString Text;
  QFont Font;
  Qt::LayoutDirection Direction = Qt::LeftToRight;
  bool Mnemonic = false;
};

// Whether Image shows Expected drawn with its top-left corner at Origin:
// where its ink lies, pixel for pixel, against the same text drawn alone.
::testing::AssertionResult ShowsTextAt(const QImage& Image, QPoint Origin, const ExpectedText& Expected);

// Whether the ink of Area in Image is Expected, wherever in Area it is:
// the same shape as the text drawn alone, and nothing else.
::testing::AssertionResult ShowsTextIn(const QImage& Image, const QRect& Area, const ExpectedText& Expected);

}  // namespace golden
