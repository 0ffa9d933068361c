#include "tests/widetext/golden_helpers.h"

#include <cstdlib>
#include <filesystem>

#include "platform/core/os/modules.h"

namespace golden {

::testing::AssertionResult MatchesGolden(const QImage& Image, const std::string& Name) {
  const std::filesystem::path reference = std::filesystem::path(__FILE__).parent_path() / "golden" / (Name + ".png");
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

}  // namespace golden
