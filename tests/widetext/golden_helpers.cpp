#include "tests/widetext/golden_helpers.h"

#include <cstdlib>
#include <filesystem>

#include "platform/core/os/modules.h"

namespace golden {

::testing::AssertionResult MatchesGolden(const QImage& Image, const std::string& Name) {
  // The data folder is an absolute path the build hands every test; __FILE__ may be relative to the compiler's folder.
  const std::filesystem::path reference =
      std::filesystem::path(VELTROSA_DATA_DIR).parent_path() / "widetext" / "golden" / (Name + ".png");
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

}  // namespace golden
