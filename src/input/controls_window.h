// "操作設定": which gamepad plays which player, with a button that swaps them,
// and each player's three keys, chosen by pressing them. A refused key is
// said in the window; "初期設定に戻す" brings back A/S/D and 4/5/6. Every
// change is handed on at once.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "engine/player.h"
#include "screens/player_keys.h"

class QLabel;
class QPushButton;

namespace glamora {

// The gamepads as the window shows them.
class PadChoice {
 public:
  virtual ~PadChoice() = default;
  // False when the program cannot read gamepads.
  virtual bool available() const = 0;
  // The pad each player plays; empty for none.
  virtual std::array<QString, 2> padNames() const = 0;
  virtual void swapPads() = 0;
};

class ControlsWindow final : public QDialog {
 public:
  ControlsWindow(PadChoice& pads, QWidget* parent = nullptr);

  void showKeys(const PlayerKeys& keys);
  const PlayerKeys& keys() const { return keys_; }
  // Shows again which pad plays which player.
  void showPads();

  // Starts choosing a key, as a click on its button does.
  void chooseKey(int player, Key action);
  bool choosing() const { return choosing_.has_value(); }
  QString message() const;

  // After each change of a key.
  std::function<void(const PlayerKeys&)> onKeysChanged;

 protected:
  bool event(QEvent* event) override;

 private:
  void takeKey(int gameKey);
  void showKeyButtons();
  void say(const QString& text, bool refused);

  PadChoice& pads_;
  PlayerKeys keys_;
  std::optional<std::pair<int, Key>> choosing_;
  std::array<QLabel*, 2> padNames_{};
  QLabel* padNote_ = nullptr;
  QPushButton* swap_ = nullptr;
  std::array<std::array<QPushButton*, 3>, 2> keyButtons_{};
  QLabel* message_ = nullptr;
};

}  // namespace glamora
