#include "tests/widetext/golden_helpers.h"

#include <cstdlib>
#include <filesystem>

namespace golden {

::testing::AssertionResult MatchesGolden(const QImage& image, const std::string& name) {
  const std::filesystem::path reference = std::filesystem::path(__FILE__).parent_path() / "golden" / (name + ".png");
  const QImage actual = image.convertToFormat(QImage::Format_RGB32);
  if (!actual.save(QString::fromStdString(name + ".png"), "PNG")) {
    return ::testing::AssertionFailure() << "cannot write " << name << ".png";
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
    return ::testing::AssertionFailure() << name << ": " << actual.width() << "x" << actual.height()
                                         << " against the reference's " << expected.width() << "x" << expected.height();
  }
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) {
      if (actual.pixel(x, y) != expected.pixel(x, y)) {
        return ::testing::AssertionFailure()
               << name << " differs from the reference first at (" << x << ", " << y << ")";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace golden
