#include "tests/widetext/golden_helpers.h"

#include <QFontMetrics>
#include <QPainter>

#include <cstdlib>
#include <filesystem>

#include "platform/core/os/modules.h"

namespace golden {

::testing::AssertionResult MatchesGolden(const QImage& Image, const std::string& Name) {
  const std::filesystem::path reference = std::filesystem::path(VELTROSA_GOLDEN_DIR) / (Name + ".png");
  const QImage actual = Image.convertToFormat(QImage::Format_RGB32);
  const std::filesystem::path written =
      std::filesystem::path(platform::ProgramFileName()).parent_path() / (Name + ".png");
  if (!actual.save(QString::fromStdString(written.string()), "PNG")) {
    return ::testing::AssertionFailure() << "cannot write " << written;
  }
  if (std::getenv("VELTROSA_UPDATE_GOLDEN")) {
    std::filesystem::create_directories(reference.parent_path());
    if (!actual.save(QString::fromStdString(reference.string()), "PNG")) {
      return ::testing::AssertionFailure() << "cannot write " << reference;
    }
    return ::testing::AssertionSuccess();
  }
  QImage expected;
  if (!expected.load(QString::fromStdString(reference.string()), "PNG")) {
    return ::testing::AssertionFailure() << "no reference picture " << reference;
  }
  expected = expected.convertToFormat(QImage::Format_RGB32);
  if (expected.size() != actual.size()) {
    return ::testing::AssertionFailure() << Name << ": " << actual.width() << "x" << actual.height()
                                         << " against the reference's " << expected.width() << "x" << expected.height();
  }
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) {
      if (actual.pixel(x, y) != expected.pixel(x, y)) {
        return ::testing::AssertionFailure()
               << Name << " differs from the reference first at (" << x << ", " << y << ")";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult MatchesDrawing(const QImage& Shown, QPoint Origin, const platform::TRect& Area,
                                          const std::function<void(platform::TCanvas&, platform::TRect)>& Draw) {
  platform::TBitmap expected;
  expected.SetSize(Area.Width(), Area.Height());
  platform::TCanvas& canvas = expected.Canvas();
  platform::SetViewportOrg(canvas.Handle(), -Area.left, -Area.top);
  Draw(canvas, Area);
  platform::SetViewportOrg(canvas.Handle(), 0, 0);
  int differing = 0;
  QPoint first;
  for (int y = 0; y < Area.Height(); ++y) {
    for (int x = 0; x < Area.Width(); ++x) {
      const platform::COLORREF want = platform::ColorToRGB(canvas.Pixels(x, y));
      const QColor got = Shown.pixelColor(Origin + QPoint(Area.left + x, Area.top + y));
      if (got == QColor(platform::GetRValue(want), platform::GetGValue(want), platform::GetBValue(want))) continue;
      if (differing++ == 0) first = QPoint(x, y);
    }
  }
  if (differing == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differing << " pixels differ, the first at (" << first.x() << ", "
                                       << first.y() << ")";
}

int InkIn(const QImage& Image, const QRect& Area) {
  const QRect area = Area.intersected(Image.rect());
  if (area.isEmpty()) return 0;
  const QRgb ground = Image.pixel(area.topLeft());
  int ink = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (Image.pixel(x, y) != ground) ++ink;
    }
  }
  return ink;
}

namespace {

// A text's ink stands out from its ground; a shaded ground (a selected tab)
// does not.
bool IsInk(QRgb Pixel, QRgb Ground) {
  return std::abs(qRed(Pixel) - qRed(Ground)) + std::abs(qGreen(Pixel) - qGreen(Ground)) +
             std::abs(qBlue(Pixel) - qBlue(Ground)) >
         60;
}

}  // namespace

QRect InkBounds(const QImage& Image, const QRect& Area) {
  const QRect area = Area.intersected(Image.rect());
  if (area.isEmpty()) return {};
  const QRgb ground = Image.pixel(area.topLeft());
  QRect bounds;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (IsInk(Image.pixel(x, y), ground)) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

namespace {

// The text drawn alone, black on white, its top-left corner at Margin.
constexpr int kMargin = 4;

QImage DrawnAlone(const ExpectedText& Expected) {
  const QFontMetrics metrics(Expected.Font);
  QImage image(metrics.horizontalAdvance(Expected.Text) + 2 * kMargin, metrics.height() + 2 * kMargin,
               QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(Expected.Font);
  painter.setPen(Qt::black);
  painter.setLayoutDirection(Expected.Direction);
  const int flags = Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine |
                    (Expected.Mnemonic ? Qt::TextShowMnemonic : 0);
  painter.drawText(image.rect().adjusted(kMargin, kMargin, 0, 0), flags, Expected.Text);
  return image;
}

// Compares the ink of Shown (on its Ground colour) at ShownAt with the ink
// of the text drawn alone at DrawnAt, over an area of Size.
::testing::AssertionResult SameInk(const QImage& Shown, QRgb Ground, QPoint ShownAt, const QImage& Drawn,
                                   QPoint DrawnAt, QSize Size, const ExpectedText& Expected) {
  const QRgb drawnGround = qRgb(255, 255, 255);
  int ink = 0;
  int differing = 0;
  for (int y = 0; y < Size.height(); ++y) {
    for (int x = 0; x < Size.width(); ++x) {
      const QPoint at(x, y);
      const QPoint shown = ShownAt + at;
      const bool inkShown = Shown.rect().contains(shown) && IsInk(Shown.pixel(shown), Ground);
      const bool inkDrawn = IsInk(Drawn.pixel(DrawnAt + at), drawnGround);
      ink += inkDrawn;
      differing += inkShown != inkDrawn;
    }
  }
  // Anti-aliased edges fall either side of the threshold differently on
  // another ground (light text on a selection); a misplaced or another
  // text differs in most of its pixels.
  if (ink > 0 && differing * 6 <= ink) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\"" << Expected.Text.toStdString() << "\": " << differing << " of " << ink
                                       << " ink pixels differ";
}

}  // namespace

::testing::AssertionResult ShowsTextAt(const QImage& Image, QPoint Origin, const ExpectedText& Expected) {
  const QImage drawn = DrawnAlone(Expected);
  const QPoint corner = Origin - QPoint(kMargin, kMargin);
  if (!Image.rect().contains(corner)) return ::testing::AssertionFailure() << "outside the picture";
  return SameInk(Image, Image.pixel(corner), corner, drawn, QPoint(0, 0), drawn.size(), Expected);
}

::testing::AssertionResult ShowsTextIn(const QImage& Image, const QRect& Area, const ExpectedText& Expected) {
  const QImage drawn = DrawnAlone(Expected);
  const QRect want = InkBounds(drawn, drawn.rect());
  const QRect got = InkBounds(Image, Area);
  if (got.size() != want.size()) {
    return ::testing::AssertionFailure() << "\"" << Expected.Text.toStdString() << "\": ink of " << got.width() << "x"
                                         << got.height() << " at (" << got.x() << ", " << got.y()
                                         << ") where the text alone makes " << want.width() << "x" << want.height();
  }
  return SameInk(Image, Image.pixel(Area.topLeft()), got.topLeft(), drawn, want.topLeft(), want.size(), Expected);
}

}  // namespace golden
