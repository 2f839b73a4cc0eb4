// What a player chooses and finds again at the next start: who plays each
// side, the music and voice switches, the training character and progress,
// the original stage's texts, the display size, the lobby's address and the
// sound volumes;
// read from and written to
// an INI file, taken from the session and brought back to it as its inputs.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/computer_level.h"
#include "engine/effects.h"
#include "settings/control_settings.h"

namespace glamora {

class Session;

// How large the windows are drawn. FullScreen scales them by the largest
// factor that fits the screen, on black.
enum class DisplaySize { Single, OneAndHalf, Double, FullScreen };
inline constexpr std::array<DisplaySize, 4> kDisplaySizes = {DisplaySize::Single, DisplaySize::OneAndHalf,
                                                             DisplaySize::Double, DisplaySize::FullScreen};
// The scale of a fixed size (1, 1.5, 2); none for full screen.
std::optional<double> fixedScale(DisplaySize size);

struct SoundSwitches {
  bool music = true;
  bool voices = true;
  bool operator==(const SoundSwitches&) const = default;
};

// The levels of the music and the voices, in percent (0..100), beside their
// on/off switches: a switched-off kind is silent at any level.
struct SoundVolumes {
  int music = 100;
  int voices = 100;
  bool operator==(const SoundVolumes&) const = default;
};

struct KeptSettings {
  std::array<std::optional<ComputerLevel>, 2> battleComputers;  // none: a person plays
  std::optional<ComputerLevel> trainingComputer;
  SoundSwitches battleSound;
  SoundSwitches trainingSound;
  Character character = Character::Elna;
  int trainingStages = 1;                                       // training stage items 1..N can be chosen
  std::vector<std::string> editorTexts = defaultEditorTexts();  // in check order: pa11..pa68, psc, ptm
  DisplaySize displaySize = DisplaySize::Single;
  ControlSettings controls;  // no engine's: the keys are read before the engine
  std::string lobby;         // where rooms are made and joined, "host[:port]"; empty: none set
  std::string language;      // the screens' language, "ja" or "en"; empty: none chosen (Japanese)
  SoundVolumes volumes;      // no engine's: the levels act on the mixer only
  bool operator==(const KeptSettings&) const = default;

  static std::vector<std::string> defaultEditorTexts();
};

// The settings file in the platform's configuration location.
QString defaultSettingsPath();

struct SettingsRead {
  KeptSettings settings;
  QString problem;  // why the file was ignored; empty when it was read or is not there
};
// A file that is missing gives the defaults; one that cannot be read, is not
// a file of ours or holds a value out of place gives the defaults and a problem.
SettingsRead readSettingsFile(const QString& path);
// False when the file could not be written.
bool writeSettingsFile(const QString& path, const KeptSettings& settings);

// What the session's engines hold now, with the given display size.
KeptSettings settingsOf(const Session& session, DisplaySize displaySize);
// Brings the engines to `settings` through the session's inputs, each only
// where it differs, in a fixed order: cpu, bgm/se, character, the editor's
// boxes and its check, unlock.
void applySettings(Session& session, const KeptSettings& settings);

}  // namespace glamora
