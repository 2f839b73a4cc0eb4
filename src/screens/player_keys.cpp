#include "player_keys.h"

#include <QKeySequence>
#include <algorithm>
#include <vector>

#include "engine/battle.h"
#include "screens/live_text.h"

namespace glamora {

namespace {

constexpr char32_t kCharacters[2][3] = {{U'a', U's', U'd'}, {U'4', U'5', U'6'}};

bool isCharacterKey(int key) { return key > Qt::Key_Space && key <= Qt::Key_ydiaeresis; }

bool isPauseKey(int key) { return key == Qt::Key_P || key == Qt::Key_Pause; }

QString playerName(int player) { return QStringLiteral("PLAYER%1").arg(player + 1); }

}  // namespace

char32_t playerCharacter(int player, Key key) {
  switch (key) {
    case Key::Left: return kCharacters[player][0];
    case Key::Select: return kCharacters[player][1];
    case Key::Right: return kCharacters[player][2];
    case Key::None: break;
  }
  return 0;
}

QString keyActionCaption(Key key) {
  switch (key) {
    case Key::Left: return translated(Message("PlayerKeys", "左へ移動"));
    case Key::Select: return translated(Message("PlayerKeys", "決定"));
    case Key::Right: return translated(Message("PlayerKeys", "右へ移動"));
    case Key::None: break;
  }
  return {};
}

int gameKeyCode(int qtKey, bool keypad) {
  if (!keypad) return qtKey;
  switch (qtKey) {
    case Qt::Key_Insert: return Qt::Key_0;
    case Qt::Key_End: return Qt::Key_1;
    case Qt::Key_Down: return Qt::Key_2;
    case Qt::Key_PageDown: return Qt::Key_3;
    case Qt::Key_Left: return Qt::Key_4;
    case Qt::Key_Clear: return Qt::Key_5;
    case Qt::Key_Right: return Qt::Key_6;
    case Qt::Key_Home: return Qt::Key_7;
    case Qt::Key_Up: return Qt::Key_8;
    case Qt::Key_PageUp: return Qt::Key_9;
    case Qt::Key_Delete: return Qt::Key_Period;
    default: return qtKey;
  }
}

std::array<std::array<int, 3>, 2> PlayerKeys::defaults() {
  return {{{Qt::Key_A, Qt::Key_S, Qt::Key_D}, {Qt::Key_4, Qt::Key_5, Qt::Key_6}}};
}

int PlayerKeys::index(Key action) {
  switch (action) {
    case Key::Left: return 0;
    case Key::Select: return 1;
    case Key::Right: return 2;
    case Key::None: break;
  }
  return 0;
}

bool PlayerKeys::isDefault(int player, Key action) const {
  return key(player, action) == defaults()[player][index(action)];
}

bool PlayerKeys::allDefault() const { return keys_ == defaults(); }

std::u32string PlayerKeys::characters(int gameKey, std::u32string_view typed) const {
  std::u32string out;
  for (const char32_t ch : typed) {
    const Key one = playerOneKey(ch);
    const Key two = playerTwoKey(ch);
    if ((one != Key::None && isDefault(0, one)) || (two != Key::None && isDefault(1, two))) out += ch;
  }
  for (int p = 0; p < 2; ++p) {
    for (const Key action : kPlayerKeyOrder) {
      if (!isDefault(p, action) && key(p, action) == gameKey) out += playerCharacter(p, action);
    }
  }
  return out;
}

QString PlayerKeys::choose(int player, Key action, int gameKey) {
  if (isPauseKey(gameKey)) return translated(Message("PlayerKeys", "P と Pause は一時停止のキーです"));
  if (const QString why = unusableKeyReason(gameKey); !why.isEmpty()) return why;
  const int other = 1 - player;
  for (const Key theirs : kPlayerKeyOrder) {
    if (key(other, theirs) == gameKey) {
      return translated(Message("PlayerKeys", "%1 の「%2」に使われているキーです")
                            .arg(fixedText(playerName(other)))
                            .arg(fixedText(keyActionCaption(theirs))));
    }
  }
  int& mine = keys_[player][index(action)];
  for (const Key own : kPlayerKeyOrder) {
    if (own != action && key(player, own) == gameKey) keys_[player][index(own)] = mine;
  }
  mine = gameKey;
  return {};
}

std::optional<PlayerKeys> PlayerKeys::fromKeys(const std::array<std::array<int, 3>, 2>& keys) {
  std::vector<int> seen;
  for (const auto& player : keys) {
    for (const int k : player) {
      if (isPauseKey(k) || !unusableKeyReason(k).isEmpty() || std::find(seen.begin(), seen.end(), k) != seen.end())
        return std::nullopt;
      seen.push_back(k);
    }
  }
  PlayerKeys read;
  read.keys_ = keys;
  return read;
}

QString PlayerKeys::caption(int player, Key action) const {
  const int k = key(player, action);
  if (k >= Qt::Key_A && k <= Qt::Key_Z) {
    const QChar upper(k);
    return QStringLiteral("'%1','%2'").arg(upper, upper.toLower());
  }
  if (isCharacterKey(k)) return QStringLiteral("'%1'").arg(QChar(k));
  return keyName(k);
}

QString keyName(int gameKey) {
  switch (gameKey) {
    case Qt::Key_Left: return QStringLiteral("←");
    case Qt::Key_Right: return QStringLiteral("→");
    case Qt::Key_Up: return QStringLiteral("↑");
    case Qt::Key_Down: return QStringLiteral("↓");
    default: return QKeySequence(gameKey).toString(QKeySequence::PortableText);
  }
}

int keyFromName(const QString& name) {
  int key = 0;
  if (name == "←") key = Qt::Key_Left;
  else if (name == "→") key = Qt::Key_Right;
  else if (name == "↑") key = Qt::Key_Up;
  else if (name == "↓") key = Qt::Key_Down;
  else {
    const QKeySequence sequence = QKeySequence::fromString(name, QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].keyboardModifiers() != Qt::NoModifier) return 0;
    key = sequence[0].key();
  }
  if (isPauseKey(key) || !unusableKeyReason(key).isEmpty() || keyName(key) != name) return 0;
  return key;
}

QString unusableKeyReason(int gameKey) {
  switch (gameKey) {
    case 0:
    case Qt::Key_unknown:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch: return translated(Message("PlayerKeys", "このキーは使えません"));
    default: return {};
  }
}

}  // namespace glamora
