#include "settings_keeper.h"

#include <algorithm>
#include <charconv>
#include <iostream>

#include "engine/stages.h"

namespace glamora {

namespace {

SettingsAtStart& startSettings() {
  static SettingsAtStart settings;
  return settings;
}

// A script line's first word and the rest after its space.
std::pair<std::string_view, std::string_view> firstWord(std::string_view line) {
  const std::size_t space = line.find(' ');
  if (space == std::string_view::npos) return {line, {}};
  return {line.substr(0, space), line.substr(space + 1)};
}

}  // namespace

SettingsKeeper::SettingsKeeper(Session& session, QString path, KeptSettings read)
    : session_(session),
      path_(std::move(path)),
      read_(read),
      written_(read),
      now_(settingsOf(session, read.displaySize)) {
  now_.controls = read.controls;
  now_.lobby = read.lobby;
  now_.language = read.language;
  now_.volumes = read.volumes;
  session_.setWatcher(this);
}

SettingsKeeper::~SettingsKeeper() { session_.setWatcher(nullptr); }

void SettingsKeeper::restore() { apply(read_); }

void SettingsKeeper::erase() {
  now_.displaySize = KeptSettings{}.displaySize;
  apply(KeptSettings{});
}

void SettingsKeeper::apply(const KeptSettings& settings) {
  applying_ = true;
  applySettings(session_, settings);
  applying_ = false;
  keep();
}

void SettingsKeeper::chooseDisplaySize(DisplaySize size) {
  now_.displaySize = size;
  keep();
}

void SettingsKeeper::chooseControls(ControlSettings controls) {
  now_.controls = std::move(controls);
  keep();
}

void SettingsKeeper::chooseLanguage(std::string language) {
  now_.language = std::move(language);
  keep();
}

void SettingsKeeper::chooseLobby(std::string lobby) {
  now_.lobby = std::move(lobby);
  keep();
}

void SettingsKeeper::chooseVolumes(SoundVolumes volumes) {
  now_.volumes = volumes;
  keep();
}

// Each line, well formed as the session wrote it, changes what it changes
// of the engines' settings here too.
void SettingsKeeper::input(std::int64_t, std::string_view line) {
  const auto [command, rest] = firstWord(line);
  SoundSwitches& sound = screen_ == Mode::Battle ? now_.battleSound : now_.trainingSound;
  if (command == "screen") {
    screen_ = rest == modeName(Mode::Training) ? Mode::Training : Mode::Battle;
    return;
  }
  if (command == "bgm") {
    sound.music = rest == "on";
  } else if (command == "se") {
    sound.voices = rest == "on";
  } else if (command == "character") {
    now_.character = rest == "elna" ? Character::Elna : Character::Mirabe;
  } else if (command == "unlock") {
    int n = 1;
    std::from_chars(rest.data(), rest.data() + rest.size(), n);
    now_.trainingStages = std::clamp(n, 1, kBuiltInStages);
  } else if (command == "cpu") {  // "cpu 2 hard 1234", "cpu 1 off 1234"
    const int player = rest[0] - '1';
    const std::optional<ComputerLevel> level = levelFromName(firstWord(firstWord(rest).second).first);
    (screen_ == Mode::Battle ? now_.battleComputers[player] : now_.trainingComputer) = level;
  } else if (command == "editor") {  // "editor pa11 5", "editor close"
    const auto [name, text] = firstWord(rest);
    const std::vector<EditorBox> boxes = editorBoxesInCheckOrder();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].name() == name) now_.editorTexts[i] = text;
    }
  } else {
    return;  // a stage, a key, back to the title: nothing kept
  }
  keep();
}

// A won built-in training stage but the last opens the next one, as the
// training does just after its dialog opens.
void SettingsKeeper::roundEnded(const RoundRecord& round) {
  if (round.mode != Mode::Training || round.result != dialogName(Dialog::TrainingWon)) return;
  if (round.stage < kBuiltInStages) now_.trainingStages = std::max(now_.trainingStages, round.stage + 1);
  keep();
}

void SettingsKeeper::keep() {
  if (applying_ || path_.isEmpty() || now_ == written_) return;
  if (!writeSettingsFile(path_, now_)) {
    if (!writeFailed_) std::cerr << "glamora: cannot write the settings to " << path_.toStdString() << "\n";
    writeFailed_ = true;
    return;
  }
  writeFailed_ = false;
  written_ = now_;
}

const SettingsAtStart& settingsAtStart() { return startSettings(); }

void readSettingsAtStart(const QString& path) {
  SettingsRead read = path.isEmpty() ? SettingsRead{} : readSettingsFile(path);
  if (!read.problem.isEmpty()) {
    std::cerr << "glamora: settings file " << path.toStdString() << " ignored (" << read.problem.toStdString()
              << "); the defaults apply\n";
  }
  startSettings() = {path, std::move(read.settings)};
}

}  // namespace glamora
