// The players' keys and gamepads across the program: the keys chosen in
// "操作設定" reach both game screens and the key table, the gamepads play on
// the game screens, and both are kept with the other settings.
#pragma once

#include <QPointer>
#include <functional>
#include <vector>

#include "input/controls_window.h"
#include "input/gamepad_input.h"
#include "settings/settings_keeper.h"

namespace glamora {

class GameScreen;
class HelpScreens;

class PlayerControls final : public PadChoice {
 public:
  // `isResultDialog`: see GamepadInput. The gamepads wait for startGamepads().
  PlayerControls(SettingsKeeper& keeper, HelpScreens& help, std::function<bool(QWidget*)> isResultDialog,
                 GamepadInput::Clock clock = {});
  ~PlayerControls() override;

  // Gives the screen the keys and adds "操作設定(&K)..." to its options menu,
  // before the display size.
  void attach(GameScreen& screen);
  // Starts reading gamepads; false when SDL cannot.
  bool startGamepads();

  const PlayerKeys& keys() const { return keys_; }
  GamepadInput& gamepads() { return gamepads_; }
  // "操作設定", opened modally (built the first time).
  ControlsWindow& openWindow();
  ControlsWindow* window() const { return window_; }

  // PadChoice.
  bool available() const override { return gamepads_.pads().started(); }
  std::array<QString, 2> padNames() const override;
  void swapPads() override;

 private:
  void setKeys(const PlayerKeys& keys);
  void keep();

  SettingsKeeper& keeper_;
  HelpScreens& help_;
  PlayerKeys keys_;
  GamepadInput gamepads_;
  std::vector<QPointer<GameScreen>> screens_;
  QPointer<ControlsWindow> window_;
};

}  // namespace glamora
