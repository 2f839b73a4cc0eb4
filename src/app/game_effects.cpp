#include "game_effects.h"

#include <QApplication>

#include "screens/form_kit.h"

namespace glamora {

void GameEffects::openDialog(Dialog dialog) {
  QDialog* window = dialogWindow ? dialogWindow(dialog) : nullptr;
  if (!window) return;
  window->adjustSize();
  centreOnScreen(window);
  openModal(window);
}

void GameEffects::showError(const std::string& text) {
  if (errorBox) return errorBox(QString::fromStdString(text));
  showErrorBox(QApplication::activeWindow(), QString::fromStdString(text));
}

}  // namespace glamora
