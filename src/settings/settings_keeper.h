// Keeps the player's settings between runs: brings back those read at start
// once the start-up step has succeeded, writes them whenever they change,
// and puts the defaults back when the player erases them. A file that cannot
// be written costs one line on standard error; the game goes on.
#pragma once

#include <QString>

#include "settings/kept_settings.h"

namespace glamora {

class SettingsKeeper {
 public:
  // `path` empty: nothing is written (the settings given still apply).
  SettingsKeeper(QString path, KeptSettings read);

  // Brings the engines to the settings read at start, as inputs.
  void restore(Session& session);
  // Writes what the session holds now, if it differs from what was last
  // read or written.
  void keep(const Session& session);
  // The defaults, as inputs, and written.
  void erase(Session& session);

  // The size chosen in the menu, kept for the next start.
  DisplaySize displaySize() const { return displaySize_; }
  void chooseDisplaySize(DisplaySize size, const Session& session);
  // The keys and the gamepads' players, kept as chosen; 記録を消去 leaves them.
  const ControlSettings& controls() const { return controls_; }
  void chooseControls(ControlSettings controls, const Session& session);

 private:
  QString path_;
  KeptSettings read_;
  KeptSettings written_;
  DisplaySize displaySize_;
  ControlSettings controls_;
  bool writeFailed_ = false;
};

// The settings file the game uses and what it held at start: read once, by
// readSettingsAtStart, before the application exists (the display size must
// be known before any window is). Nothing is kept until it has been called,
// so a program or test that never calls it leaves every settings file alone.
struct SettingsAtStart {
  QString path;
  KeptSettings settings;
};
const SettingsAtStart& settingsAtStart();
// Reads `path` (a bad file: one line on standard error, and the defaults);
// an empty path keeps nothing.
void readSettingsAtStart(const QString& path);

}  // namespace glamora
