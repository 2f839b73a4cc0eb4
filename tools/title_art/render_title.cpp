// render-title output-directory
//
// Paints the title picture at pixel ratios 1 and 2 into title@1x.png and
// title@2x.png, and its English version into title-en@1x.png and title-en@2x.png. The build embeds them in the game,
// which then shows the title at once instead of painting it at every start. Run with QT_QPA_PLATFORM=offscreen on a
// machine without a display.

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <utility>

#include "assets/pictures/picture_library.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: render-title output-directory\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  const glamora::PictureLibrary library;
  const std::pair<glamora::PictureId, const char*> titles[] = {{glamora::PictureId::title, "title"},
                                                               {glamora::PictureId::titleEnglish, "title-en"}};
  for (const auto& [id, name] : titles) {
    for (const int ratio : {1, 2}) {
      QImage art = library.image(id, ratio);
      art.setText(QString(), QString());  // the same artwork gives the same bytes
      const QString path = out.filePath(QStringLiteral("%1@%2x.png").arg(QLatin1String(name)).arg(ratio));
      if (!out.mkpath(".") || !art.save(path, "PNG")) {
        std::fprintf(stderr, "render-title: cannot write %s\n", qPrintable(path));
        return 1;
      }
    }
  }
  return 0;
}
