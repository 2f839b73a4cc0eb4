// Keeps the player's settings between runs, in one object: brings back those
// read at start once the start-up step has succeeded, writes them whenever
// they change, and puts the defaults back when the player erases them. What
// the engines hold it follows from the inputs the session records (so a menu,
// a script or a won stage are all kept alike); the keys, the pads and the
// display size, which never reach the engines, are handed to it where they
// are chosen. A file that cannot be written costs one line on standard error;
// the game goes on.
#pragma once

#include <QString>

#include "engine/session.h"
#include "settings/kept_settings.h"

namespace glamora {

class SettingsKeeper final : private InputRecorder {
 public:
  // Follows `session` from its start. `path` empty: nothing is written (the
  // settings given still apply).
  SettingsKeeper(Session& session, QString path, KeptSettings read);
  ~SettingsKeeper() override;
  SettingsKeeper(const SettingsKeeper&) = delete;
  SettingsKeeper& operator=(const SettingsKeeper&) = delete;

  // Brings the engines to the settings read at start, as inputs.
  void restore();
  // The defaults, as inputs, and written; the keys, the pads, the lobby and
  // the language and the volumes stay as chosen.
  void erase();

  // The size chosen in the menu, kept for the next start.
  DisplaySize displaySize() const { return now_.displaySize; }
  void chooseDisplaySize(DisplaySize size);
  // The keys and the gamepads' players, kept as chosen.
  const ControlSettings& controls() const { return now_.controls; }
  void chooseControls(ControlSettings controls);
  // The lobby's address ("host[:port]", empty: none), kept as chosen.
  const std::string& lobby() const { return now_.lobby; }
  void chooseLobby(std::string lobby);
  // The screens' language ("ja", "en"; empty: none chosen), kept as chosen.
  const std::string& language() const { return now_.language; }
  void chooseLanguage(std::string language);
  // The music and voice levels, kept as chosen.
  const SoundVolumes& volumes() const { return now_.volumes; }
  void chooseVolumes(SoundVolumes volumes);

 private:
  void input(std::int64_t t, std::string_view line) override;
  void roundEnded(const RoundRecord& round) override;
  // Brings the engines to `settings` with nothing written until they are there.
  void apply(const KeptSettings& settings);
  void keep();

  Session& session_;
  QString path_;
  KeptSettings read_;
  KeptSettings written_;
  KeptSettings now_;
  Mode screen_ = Mode::Battle;  // the recorded script's `screen`
  bool applying_ = false;
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
