// Pixel measurements shared by the picture tests.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>

#include <functional>

namespace glamora::test {

using PixelTest = std::function<bool(const QColor&)>;

inline bool isAqua(const QColor& c) { return c.alpha() == 255 && c.red() == 0 && c.green() == 255 && c.blue() == 255; }

// How many pixels pass `test`, and where their centre of mass lies.
struct Mass {
  int count = 0;
  QPointF centre;
};

inline Mass massOf(const QImage& image, const PixelTest& test) {
  Mass mass;
  qreal sx = 0, sy = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!test(image.pixelColor(x, y))) continue;
      ++mass.count;
      sx += x;
      sy += y;
    }
  }
  if (mass.count > 0) mass.centre = QPointF(sx / mass.count, sy / mass.count);
  return mass;
}

inline int countPixels(const QImage& image, const PixelTest& test) { return massOf(image, test).count; }

// Share of pixels whose colour differs between two images of one size.
inline double differingShare(const QImage& a, const QImage& b) {
  int differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
  return double(differing) / (a.width() * a.height());
}

// Mean absolute difference per channel (0..255) of two images of one size.
inline double meanDifference(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
      sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue()) +
             std::abs(p.alpha() - q.alpha());
    }
  }
  return sum / (4.0 * a.width() * a.height());
}

// Number of changes between ground and non-ground along row y.
inline int groundChanges(const QImage& image, int y) {
  int changes = 0;
  for (int x = 1; x < image.width(); ++x)
    changes += isAqua(image.pixelColor(x, y)) != isAqua(image.pixelColor(x - 1, y));
  return changes;
}

}  // namespace glamora::test
