// Helpers shared by the screen tests: one picture library for the whole run
// and finding components by name.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include "assets/pictures/picture_library.h"
#include "engine/effects.h"
#include "screens/form_kit.h"

namespace glamora::screen_test {

inline const PictureLibrary& library() {
  static const PictureLibrary instance;
  return instance;
}

// The child of `screen` with this objectName; fails the test when missing.
template <typename T = QLabel>
T* part(const QWidget& screen, const QString& name) {
  T* found = screen.findChild<T*>(name);
  EXPECT_NE(found, nullptr) << qPrintable(screen.objectName()) << " has no " << qPrintable(name);
  return found;
}

inline QColor background(const QLabel* label) { return label->palette().color(QPalette::Window); }
inline QColor textColour(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

// Whether the picture box shows exactly this library picture.
inline bool showsPicture(const QLabel* box, PictureId picture) {
  const QImage shown = box->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  const QImage wanted = library().image(picture, shown.devicePixelRatio()).convertToFormat(QImage::Format_ARGB32);
  return !shown.isNull() && shown == wanted;
}

}  // namespace glamora::screen_test
