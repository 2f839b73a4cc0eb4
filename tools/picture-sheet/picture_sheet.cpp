// picture-sheet [output-directory]
//
// Renders every picture of the library at 1x and 2x, magnified copies of
// both with hard pixel edges for close inspection, a mock board and the
// animation phases into PNG contact sheets. Run with QT_QPA_PLATFORM=offscreen
// on a machine without a display.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <cstdio>
#include <string>
#include <vector>

#include "assets/pictures/picture_library.h"

namespace {

using glamora::PictureId;
using glamora::PictureLibrary;

struct Entry {
  QString label;
  QImage image;
};

// The image at whole pixels, magnified `factor` times without smoothing.
QImage magnified(QImage image, int factor) {
  image.setDevicePixelRatio(1.0);
  return image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage sheet(const std::vector<Entry>& entries, int columns, const QColor& background) {
  constexpr int kGap = 8;
  constexpr int kLabel = 14;
  int cellWidth = 60;
  int cellHeight = 0;
  for (const Entry& e : entries) {
    cellWidth = std::max(cellWidth, e.image.width());
    cellHeight = std::max(cellHeight, e.image.height());
  }
  const int rows = (static_cast<int>(entries.size()) + columns - 1) / columns;
  QImage out(kGap + columns * (cellWidth + kGap), kGap + rows * (cellHeight + kLabel + kGap),
             QImage::Format_ARGB32_Premultiplied);
  out.fill(background);
  QPainter p(&out);
  QFont font("IPAPGothic");
  font.setPixelSize(11);
  p.setFont(font);
  p.setPen(Qt::white);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const int x = kGap + static_cast<int>(i) % columns * (cellWidth + kGap);
    const int y = kGap + static_cast<int>(i) / columns * (cellHeight + kLabel + kGap);
    QImage shown = entries[i].image;
    shown.setDevicePixelRatio(1.0);  // one image pixel per sheet pixel
    p.drawImage(x, y, shown);
    p.drawText(QRect(x, y + cellHeight, cellWidth, kLabel), Qt::AlignLeft | Qt::AlignVCenter, entries[i].label);
  }
  return out;
}

std::vector<Entry> entriesOf(const PictureLibrary& library, const std::vector<PictureId>& ids, qreal ratio,
                             int magnify = 1) {
  std::vector<Entry> entries;
  for (const PictureId id : ids) {
    const QImage image = library.image(id, ratio);
    entries.push_back({QString::fromUtf8(glamora::pictureName(id).data()),
                       magnify > 1 ? magnified(image, magnify) : image});
  }
  return entries;
}

std::vector<PictureId> range(PictureId first, PictureId last) {
  std::vector<PictureId> ids;
  for (int i = static_cast<int>(first); i <= static_cast<int>(last); ++i) ids.push_back(static_cast<PictureId>(i));
  return ids;
}

// Items in rows a, b, c, then the cross, the tiles and toumei.
std::vector<PictureId> cellPictures() {
  std::vector<PictureId> ids = range(PictureId::uitem1a, PictureId::uitem1xc);
  for (const PictureId id : range(PictureId::toumei, PictureId::un6)) ids.push_back(id);
  return ids;
}

// A board of 6 x 10 cells as the battle screen lays it out, filled at random.
QImage mockBoard(const PictureLibrary& library, qreal ratio) {
  const int w = 32 * 6 + 32;
  const int h = 24 * 10 + 32;
  QImage out(qRound(w * ratio), qRound(h * ratio), QImage::Format_ARGB32_Premultiplied);
  out.setDevicePixelRatio(ratio);
  out.fill(Qt::black);
  QPainter p(&out);
  QRandomGenerator random(7);
  for (int col = 1; col <= 6; ++col) {
    const int height = random.bounded(2, 10);
    for (int row = 1; row <= 10; ++row) {
      const glamora::Code code{row <= height ? random.bounded(1, 10) : 0};
      const QImage cell = library.image(glamora::cellPicture(code, col, row), ratio);
      p.drawImage(QPointF(16 + 32 * (col - 1), 16 + 24 * (10 - row)), cell);
    }
  }
  return out;
}

// Every current-frame picture after each of four animation steps.
QImage animationSheet(qreal ratio) {
  PictureLibrary library;
  std::vector<Entry> entries;
  for (int tick = 0; tick < 4; ++tick) {
    library.step();
    for (const auto& row : glamora::kAnimationTable) {
      const QString name = QString::fromUtf8(glamora::pictureName(library.resolve(row.current)).data());
      QImage image = library.image(row.current, ratio);
      if (image.height() > 24 * ratio) image = image.scaledToHeight(qRound(48 * ratio), Qt::SmoothTransformation);
      entries.push_back({name, image});
    }
  }
  return sheet(entries, 12, QColor(48, 48, 56));
}

bool save(const QImage& image, const QDir& dir, const QString& name) {
  const QString path = dir.filePath(name);
  if (!image.save(path)) {
    std::fprintf(stderr, "picture-sheet: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("picture-sheets"));
  if (!QDir().mkpath(dir.path())) {
    std::fprintf(stderr, "picture-sheet: cannot create %s\n", qPrintable(dir.path()));
    return 1;
  }
  const PictureLibrary library;
  const QColor grey(64, 64, 72);
  const auto cells = cellPictures();
  const auto faces = range(PictureId::uface1a, PictureId::uface2c);
  const auto titleBits = range(PictureId::glyphOne, PictureId::programIcon);

  bool ok = true;
  ok &= save(sheet(entriesOf(library, cells, 1.0), 9, grey), dir, "cells-1x.png");
  ok &= save(sheet(entriesOf(library, cells, 2.0), 9, grey), dir, "cells-2x.png");
  ok &= save(sheet(entriesOf(library, cells, 1.0, 6), 9, grey), dir, "cells-1x-magnified.png");
  ok &= save(sheet(entriesOf(library, cells, 2.0, 3), 9, grey), dir, "cells-2x-magnified.png");
  ok &= save(sheet(entriesOf(library, faces, 1.0), 3, grey), dir, "faces-1x.png");
  ok &= save(sheet(entriesOf(library, faces, 2.0), 3, grey), dir, "faces-2x.png");
  ok &= save(sheet(entriesOf(library, faces, 1.0, 3), 3, grey), dir, "faces-1x-magnified.png");
  ok &= save(sheet(entriesOf(library, {PictureId::title}, 1.0), 1, Qt::black), dir, "title-1x.png");
  ok &= save(sheet(entriesOf(library, {PictureId::title}, 2.0), 1, Qt::black), dir, "title-2x.png");
  ok &= save(sheet(entriesOf(library, titleBits, 1.0), 4, QColor(212, 208, 200)), dir, "glyphs-1x.png");
  ok &= save(sheet(entriesOf(library, titleBits, 1.0, 8), 4, QColor(212, 208, 200)), dir, "glyphs-1x-magnified.png");
  ok &= save(sheet(entriesOf(library, titleBits, 2.0, 4), 4, QColor(212, 208, 200)), dir, "glyphs-2x-magnified.png");
  ok &= save(magnified(mockBoard(library, 1.0), 2), dir, "board-1x-magnified.png");
  ok &= save(mockBoard(library, 2.0), dir, "board-2x.png");
  ok &= save(animationSheet(1.0), dir, "animation-1x.png");
  return ok ? 0 : 1;
}
