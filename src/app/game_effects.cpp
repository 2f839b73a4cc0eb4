#include "game_effects.h"

#include <QApplication>
#include <QPointer>

#include "screens/form_kit.h"

namespace glamora {

void GameEffects::openDialog(Dialog dialog) {
  QDialog* window = dialogs_[static_cast<int>(dialog)];
  if (!window) return;
  QPointer<QWidget> below = QApplication::activeWindow();
  window->adjustSize();
  centreOnScreen(window);
  window->exec();
  // Without a window manager nothing is active after a modal dialog closes,
  // and the menu shortcuts of the screen below would stay dead.
  if (below) below->activateWindow();
}

void GameEffects::showError(const std::string& text) {
  if (errorBox) return errorBox(QString::fromStdString(text));
  QPointer<QWidget> below = QApplication::activeWindow();
  showErrorBox(below, QString::fromStdString(text));
  if (below) below->activateWindow();
}

}  // namespace glamora
