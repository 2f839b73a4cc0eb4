#include "display_size.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "screens/form_kit.h"
#include "settings/settings_keeper.h"

namespace glamora {

namespace {

struct ScreenSizes {
  QSize whole, available;
};

// The primary screen's sizes at scale 1, from an application made only to
// ask (the real one must be made after the scale is set). Empty when no
// display can be reached: the real application will then say why.
ScreenSizes measureScreen() {
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY") &&
      !qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
    return {};
  }
#endif
  char name[] = "glamora";
  char* argv[] = {name, nullptr};
  int argc = 1;
  const QGuiApplication probe(argc, argv);
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  return {screen->geometry().size(), screen->availableGeometry().size()};
}

QRect screenGeometry(const QWidget* window) {
  const QScreen* screen = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect();
}

}  // namespace

double fullScreenScale(QSize screen) {
  const double fit = std::min(static_cast<double>(screen.width()) / kLargestWindow.width(),
                              static_cast<double>(screen.height()) / kLargestWindow.height());
  return std::max(0.5, std::floor(fit * 100 + 1e-9) / 100);
}

bool displaySizeFits(DisplaySize size, QSize available) {
  const std::optional<double> scale = fixedScale(size);
  if (!scale || *scale <= 1 || available.isEmpty()) return true;
  const QSize drawn = (QSizeF(kLargestWindow) * *scale).toSize();
  return drawn.width() <= available.width() && drawn.height() <= available.height();
}

DisplaySize displaySizeThatFits(DisplaySize kept, QSize available) {
  if (displaySizeFits(kept, available)) return kept;
  DisplaySize largest = DisplaySize::Single;
  for (const DisplaySize size : kDisplaySizes) {
    if (fixedScale(size) && *fixedScale(size) < *fixedScale(kept) && displaySizeFits(size, available)) {
      largest = size;
    }
  }
  return largest;
}

QSize availableScreenAtScaleOne(const QWidget* window) {
  const QScreen* screen = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return {};
  // QT_SCALE_FACTOR, set before the application was made, divides every
  // size Qt gives.
  bool set = false;
  const double scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&set);
  return (QSizeF(screen->availableGeometry().size()) * (set && scale > 0 ? scale : 1.0)).toSize();
}

void readKeptSettingsBeforeStart() {
  readSettingsAtStart(defaultSettingsPath());
  if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) return;
  const DisplaySize kept = settingsAtStart().settings.displaySize;
  const std::optional<double> fixed = fixedScale(kept);
  double scale = 1;
  if (fixed && *fixed > 1) {
    scale = *fixedScale(displaySizeThatFits(kept, measureScreen().available));
  } else if (!fixed) {
    if (const QSize screen = measureScreen().whole; !screen.isEmpty()) scale = fullScreenScale(screen);
  }
  if (scale != 1) qputenv("QT_SCALE_FACTOR", QByteArray::number(scale, 'g', 6));
}

FullScreenBackdrop::FullScreenBackdrop()
    : backdrop_(std::make_unique<QWidget>(nullptr,
                                          Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)) {
  backdrop_->setObjectName("backdrop");
  backdrop_->setWindowTitle(kAppTitle);
  QPalette palette = backdrop_->palette();
  palette.setColor(QPalette::Window, Qt::black);
  backdrop_->setPalette(palette);
  backdrop_->setAutoFillBackground(true);
  // Without a window manager nothing makes a window full screen but its geometry.
  // (showFullScreen() would also ask for the focus, which the backdrop refuses.)
  backdrop_->setGeometry(screenGeometry(nullptr));
  backdrop_->setWindowState(Qt::WindowFullScreen);
  backdrop_->show();
}

FullScreenBackdrop::~FullScreenBackdrop() = default;

void FullScreenBackdrop::hold(QWidget* window) {
  window->setWindowFlag(Qt::FramelessWindowHint, true);
  // A window manager keeps a window above the one it belongs to; the game's
  // other windows belong to the title screen already.
  if (!window->parentWidget()) {
    window->winId();
    if (QWindow* handle = window->windowHandle()) handle->setTransientParent(backdrop_->windowHandle());
  }
}

void FullScreenBackdrop::centre(QWidget* window) {
  QRect frame = window->frameGeometry();
  frame.moveCenter(screenGeometry(window).center());
  window->move(frame.topLeft());
}

}  // namespace glamora
