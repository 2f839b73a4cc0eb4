// The keys each player plays with: three per player (left, select, right),
// A/S/D and 4/5/6 unless the players chose others. A key press becomes the
// player's key characters ('a', 's', 'd', '4', '5', '6') before it reaches
// the engine, so the rules and the session journal only ever see those.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/player.h"

namespace glamora {

// The character the rules know for a player's key: 'a' 's' 'd' / '4' '5' '6'.
char32_t playerCharacter(int player, Key key);
// The three keys of a player in the order they are listed and chosen.
inline constexpr std::array<Key, 3> kPlayerKeyOrder = {Key::Left, Key::Select, Key::Right};
// "左へ移動", "決定", "右へ移動".
QString keyActionCaption(Key key);

// A key as the game tells keys apart: Qt's key code, with the keypad's keys
// that Num Lock turns off (arrows, Home, Clear ...) taken as the digits they
// carry, so that the keypad is the same keys with Num Lock on or off.
int gameKeyCode(int qtKey, bool keypad);

class PlayerKeys {
 public:
  // The key code of a player's key (gameKeyCode).
  int key(int player, Key action) const { return keys_[player][index(action)]; }
  bool isDefault(int player, Key action) const;
  bool allDefault() const;

  // The player characters one key event stands for. `typed` is what the key
  // types as the rules read it (its text; the keypad's digits with Num Lock
  // off): a player key still at its default acts for every key typing its
  // character, in either case, exactly as the rules say; a chosen key acts
  // by its key code.
  std::u32string characters(int gameKey, std::u32string_view typed) const;

  // Gives `action` of `player` the key `gameKey`. Returns why the key is
  // refused (a pause key, a key the game cannot take, a key of the other
  // player), or an empty text when it was taken. A key the same player uses
  // for another action changes places with the key it replaces.
  QString choose(int player, Key action, int gameKey);
  void reset() { *this = PlayerKeys{}; }
  // Keys read back (player, then left, select, right): none unless every key
  // may be a player's and no key is there twice.
  static std::optional<PlayerKeys> fromKeys(const std::array<std::array<int, 3>, 2>& keys);

  // How the key table writes a key: 'A','a' for a letter, '4' for another
  // character, a name for the rest ("←", "Space", "F1").
  QString caption(int player, Key action) const;

  bool operator==(const PlayerKeys&) const = default;

 private:
  static int index(Key action);
  std::array<std::array<int, 3>, 2> keys_ = defaults();
  static std::array<std::array<int, 3>, 2> defaults();
};

// What the key table's name of a key is, and the key read back from it
// (0 when the text names no key a player may have).
QString keyName(int gameKey);
int keyFromName(const QString& name);
// Why a key cannot be a player's key at all (empty when it can).
QString unusableKeyReason(int gameKey);

}  // namespace glamora
