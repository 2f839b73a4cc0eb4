// render-icons [output-directory]
//
// Renders the program icon into the desktop's icon sizes, as
// OUTPUT/<N>x<N>/apps/glamora.png. The icon is painted for 32 pixels; larger
// sizes paint it again at a higher pixel ratio, 16 pixels is scaled down from
// the 32 pixel painting, as the game's window icon does. Run with
// QT_QPA_PLATFORM=offscreen on a machine without a display.

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

#include "assets/pictures/picture_library.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("icons"));
  const glamora::PictureLibrary library;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    QImage icon = library.image(glamora::PictureId::programIcon, size < 32 ? 1.0 : size / 32.0);
    icon.setDevicePixelRatio(1.0);
    if (icon.width() != size) icon = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QString dir = QStringLiteral("%1x%1/apps").arg(size);
    const QString path = out.filePath(dir + "/glamora.png");
    // No gamma or time chunks, so the same artwork gives the same bytes.
    icon = icon.convertToFormat(QImage::Format_ARGB32);
    icon.setText(QString(), QString());
    if (!out.mkpath(dir) || !icon.save(path, "PNG")) {
      std::fprintf(stderr, "render-icons: cannot write %s\n", qPrintable(path));
      return 1;
    }
    std::printf("%s\n", qPrintable(path));
  }
  return 0;
}
