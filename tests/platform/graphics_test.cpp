#include "platform/ui/controls/graphics.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <vector>

#include "platform/core/text/resource_stream.h"
#include "platform/ui/window_classes/presentation.h"

namespace {

using namespace platform;

std::vector<std::uint8_t> Png(int W, int H, QColor Colour) {
  QImage image(W, H, QImage::Format_RGB32);
  image.fill(Colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

class GraphicsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ui::InitializeUi(); }
};

TEST_F(GraphicsTest, FontsConvertPointsAndPixelsAndAnnounceChanges) {
  TFont font;
  int changes = 0;
  font.OnChange = [&](TObject*) { ++changes; };
  font.SetSize(10);
  EXPECT_EQ(font.Height(), -13);
  EXPECT_EQ(font.Size(), 10);
  font.SetStyle(fsBold | fsItalic);
  EXPECT_EQ(font.Style(), static_cast<TFontStyles>(fsBold | fsItalic));
  EXPECT_NE(font.Handle(), 0u);
  font.SetStyle(fsBold | fsItalic);
  EXPECT_EQ(changes, 2);  // setting the same style again changes nothing
  TFont copy;
  copy.Assign(&font);
  EXPECT_EQ(copy.Style(), font.Style());
  EXPECT_EQ(copy.Height(), font.Height());

  HDC dc = GetDC(nullptr);
  SIZE normal, bold;
  SelectObject(dc, TFont().Handle());
  GetTextExtentPoint32A(dc, "WWWW", 4, &normal);
  TFont big;
  big.SetHeight(-22);
  SelectObject(dc, big.Handle());
  GetTextExtentPoint32A(dc, "WWWW", 4, &bold);
  EXPECT_GT(bold.cx, normal.cx);
  EXPECT_GT(bold.cy, normal.cy);
  ReleaseDC(nullptr, dc);
}

TEST_F(GraphicsTest, PicturesHoldCopiesAndLoadFromStreams) {
  static const std::vector<std::uint8_t> png = Png(6, 4, Qt::red);
  RegisterResource("TESTGLYPH", RT_BITMAP, png);
  TBitmap glyph;
  glyph.LoadFromResourceName("testglyph");
  EXPECT_EQ(glyph.Width(), 6);
  EXPECT_EQ(glyph.Canvas().Pixels(5, 3), clRed);
  EXPECT_THROW(glyph.LoadFromResourceName("NOSUCH"), EResNotFound);

  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  picture.Assign(&glyph);
  glyph.SetSize(1, 1);
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 6);  // the picture has its own copy
  EXPECT_EQ(changes, 1);

  TMemoryStream bad;
  bad.WriteBuffer("not a picture", 13);
  bad.SetPosition(0);
  TMetafile metafile;
  EXPECT_THROW(metafile.LoadFromStream(bad), EInvalidGraphic);
  TMemoryStream good;
  good.WriteBuffer(png.data(), static_cast<std::int64_t>(png.size()));
  good.SetPosition(0);
  metafile.LoadFromStream(good);
  picture.Assign(&metafile);
  EXPECT_EQ(picture.Height(), 4);
  EXPECT_NE(dynamic_cast<TMetafile*>(picture.Graphic()), nullptr);

  // Drawn stretched to whatever rectangle it is given.
  TBitmap target;
  target.SetSize(20, 20);
  target.Canvas().StretchDraw(Rect(0, 0, 20, 20), picture.Graphic());
  EXPECT_EQ(target.Canvas().Pixels(19, 19), clRed);
}

}  // namespace
