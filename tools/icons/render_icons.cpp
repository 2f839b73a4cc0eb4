// render-icons OUTPUT-DIRECTORY
//
// Renders the program icon into the desktop's icon sizes, as
// OUTPUT/<N>x<N>/apps/glamora.png. The build runs it (QT_QPA_PLATFORM=offscreen),
// so the installed icons are always the artwork as painted on the building
// machine, and nothing rendered is kept in the sources to drift from it.

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

#include "assets/pictures/picture_library.h"
#include "icon_sizes.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: render-icons OUTPUT-DIRECTORY\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  const glamora::PictureLibrary library;
  for (const int size : glamora::kIconSizes) {
    QImage icon = library.programIconImage(size);
    const QString dir = QStringLiteral("%1x%1/apps").arg(size);
    const QString path = out.filePath(dir + "/glamora.png");
    // No gamma or time chunks, so the same artwork gives the same bytes.
    icon.setText(QString(), QString());
    if (!out.mkpath(dir) || !icon.save(path, "PNG")) {
      std::fprintf(stderr, "render-icons: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
