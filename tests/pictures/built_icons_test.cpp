// The icons the build painted for the desktop are the program icon as this
// machine paints it, at every size the icon theme takes.
#include <gtest/gtest.h>

#include <QImage>

#include "assets/pictures/picture_library.h"
#include "icon_sizes.h"

namespace glamora {
namespace {

TEST(BuiltIcons, AreTheProgramIconAtEveryDesktopSize) {
  const PictureLibrary library;
  for (const int size : kIconSizes) {
    const QString path = QStringLiteral(GLAMORA_ICONS_DIR "/%1x%1/apps/glamora.png").arg(size);
    const QImage built(path);
    ASSERT_FALSE(built.isNull()) << "not built: " << path.toStdString();
    EXPECT_EQ(built.size(), QSize(size, size)) << path.toStdString();
    EXPECT_TRUE(built.convertToFormat(QImage::Format_ARGB32) == library.programIconImage(size))
        << path.toStdString() << " is not the program icon as painted now";
    int opaque = 0;
    for (int y = 0; y < built.height(); ++y) {
      for (int x = 0; x < built.width(); ++x) opaque += qAlpha(built.pixel(x, y)) == 255;
    }
    EXPECT_GT(opaque, size * size / 2) << path.toStdString() << " is mostly empty";
  }
}

}  // namespace
}  // namespace glamora
