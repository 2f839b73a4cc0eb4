// The title picture the build painted is the one the game would paint.
#include <QImage>
#include <gtest/gtest.h>

#include "assets/pictures/picture_library.h"

namespace glamora {
namespace {

TEST(TitleArtTest, ThePictureTheBuildPaintedIsTheOneTheGamePaints) {
  const PictureLibrary library;
  for (const int ratio : {1, 2}) {
    QImage built(QStringLiteral(":/prerendered/title@%1x.png").arg(ratio));
    ASSERT_FALSE(built.isNull()) << ratio;
    const QImage painted = library.image(PictureId::title, ratio).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(built.convertToFormat(QImage::Format_ARGB32), painted) << "ratio " << ratio;
  }
}

TEST(TitleArtTest, APictureOfTheWrongSizeIsNotTaken) {
  PictureLibrary library;
  QImage wrong(10, 10, QImage::Format_ARGB32);
  wrong.fill(Qt::red);
  EXPECT_FALSE(library.takePainted(PictureId::title, wrong));
  EXPECT_FALSE(library.takePainted(PictureId::title, QImage()));
  QImage built(QStringLiteral(":/prerendered/title@2x.png"));
  built.setDevicePixelRatio(2);
  EXPECT_TRUE(library.takePainted(PictureId::title, built));
  EXPECT_EQ(library.image(PictureId::title, 2.0).convertToFormat(QImage::Format_ARGB32),
            built.convertToFormat(QImage::Format_ARGB32));
}

}  // namespace
}  // namespace glamora
