// The players' keys and the gamepads' remembered players, kept with the
// game's other settings: written into and read from the settings file.
#pragma once

#include <QSettings>
#include <QString>
#include <string>
#include <vector>

#include "screens/player_keys.h"

namespace glamora {

// A pad's player, kept for the next time the pad is plugged in (see PadSeats).
struct RememberedSeat {
  std::string guid;
  int number = 1;  // among the pads of its model
  int player = 0;  // 0 or 1
  bool operator==(const RememberedSeat&) const = default;
};
inline constexpr int kMostRememberedSeats = 16;

struct ControlSettings {
  PlayerKeys keys;
  std::vector<RememberedSeat> pads;  // the newest choice first
  bool operator==(const ControlSettings&) const = default;
};

// Reads the keys and the pads from `file` into `settings`; returns what is
// out of place (empty when all was read or nothing was there).
QString readControlSettings(QSettings& file, ControlSettings& settings);
void writeControlSettings(QSettings& file, const ControlSettings& settings);

}  // namespace glamora
