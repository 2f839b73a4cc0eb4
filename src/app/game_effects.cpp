#include "game_effects.h"

#include <QApplication>

#include "screens/form_kit.h"
#include "screens/live_text.h"

namespace glamora {

void GameEffects::openDialog(Dialog dialog) {
  QDialog* window = dialogWindow ? dialogWindow(dialog) : nullptr;
  if (!window) return;
  window->adjustSize();
  centreOnScreen(window);
  openModal(window);
}

void GameEffects::showError(const Message& text) {
  if (errorBox) return errorBox(translated(text));
  showErrorBox(QApplication::activeWindow(), translated(text));
}

}  // namespace glamora
