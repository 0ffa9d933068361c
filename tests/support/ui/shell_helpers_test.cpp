#include "support/ui/shell_helpers.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <vector>

#include "platform/core/text/resources.h"
#include "platform/ui/window_classes/presentation.h"

namespace {

using namespace platform;

TEST(LoadMetafileResource, TakesThePictureOrLeavesTheOldOne) {
  ui::InitializeUi();
  static const std::vector<std::uint8_t> png = [] {
    QImage image(8, 5, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
  }();
  static const std::uint8_t garbage[] = {1, 2, 3, 4};
  RegisterResource("IMGDPT_TEST", RT_RCDATA, png);
  RegisterResource("IMGBAD_TEST", RT_RCDATA, garbage);

  TPicture picture;
  support::LoadMetafileResource(&picture, "IMGDPT_TEST");
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 8);
  support::LoadMetafileResource(&picture, "IMGBAD_TEST");
  support::LoadMetafileResource(&picture, "MISSING");
  support::LoadMetafileResource(&picture, "");
  support::LoadMetafileResource(nullptr, "IMGDPT_TEST");
  EXPECT_EQ(picture.Width(), 8);
}

}  // namespace
