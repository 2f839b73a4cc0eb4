#include "player_controls.h"

#include <QMenu>
#include <algorithm>

#include "modes/game_screen.h"
#include "screens/form_kit.h"
#include "screens/help_screens.h"

namespace glamora {

PlayerControls::PlayerControls(SettingsKeeper& keeper, HelpScreens& help, std::function<bool(QWidget*)> isResultDialog,
                               GamepadInput::Clock clock)
    : keeper_(keeper), help_(help), keys_(keeper.controls().keys), gamepads_(keeper.controls().pads, std::move(clock)) {
  gamepads_.isResultDialog = std::move(isResultDialog);
  gamepads_.onPadsChanged = [this] {
    if (window_) window_->showPads();
  };
  help_.setPlayerKeys(keys_);
}

PlayerControls::~PlayerControls() { delete window_.data(); }

void PlayerControls::attach(GameScreen& screen) {
  screens_.push_back(&screen);
  screen.setPlayerKeys(&keys_);
  const GameMenuActions& menus = screen.menus();
  QAction* item = bound(new QAction(menus.options), Message("GameMenus", "操作設定(&K)..."));
  item->setObjectName("controls1");
  QObject::connect(item, &QAction::triggered, &screen, [this] { openWindow(); });
  QMenu* sizeMenu = qobject_cast<QMenu*>(menus.displaySizes[0]->parent());
  menus.options->insertAction(sizeMenu ? sizeMenu->menuAction() : nullptr, item);
}

bool PlayerControls::startGamepads() { return gamepads_.start(); }

ControlsWindow& PlayerControls::openWindow() {
  if (!window_) {
    window_ = new ControlsWindow(*this);
    window_->onKeysChanged = [this](const PlayerKeys& keys) { setKeys(keys); };
  }
  window_->showKeys(keys_);
  window_->showPads();
  window_->adjustSize();
  centreOnScreen(window_);
  openModal(window_);
  return *window_;
}

void PlayerControls::setKeys(const PlayerKeys& keys) {
  keys_ = keys;
  for (GameScreen* screen : screens_) {
    if (screen) screen->setPlayerKeys(&keys_);
  }
  help_.setPlayerKeys(keys_);
  keep();
}

std::array<QString, 2> PlayerControls::padNames() const {
  std::array<QString, 2> names;
  const Gamepads& pads = gamepads_.pads();
  const std::vector<Gamepads::Pad> list = pads.pads();
  for (const Gamepads::Pad& pad : list) {
    const std::optional<int> player = pads.seats().player(pad.id);
    if (!player) continue;
    QString name = QString::fromStdString(pad.name);
    // Two pads of one model are told apart by their order.
    if (std::count_if(list.begin(), list.end(), [&](const Gamepads::Pad& p) { return p.guid == pad.guid; }) > 1)
      name += QString(" (%1)").arg(pads.seats().number(pad.id));
    names[*player] = name;
  }
  return names;
}

void PlayerControls::swapPads() {
  gamepads_.swapPlayers();
  keep();
}

void PlayerControls::keep() { keeper_.chooseControls({keys_, gamepads_.pads().seats().remembered()}); }

}  // namespace glamora
