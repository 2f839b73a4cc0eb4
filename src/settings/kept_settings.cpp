#include "kept_settings.h"

#include <QFileInfo>
#include <QSettings>
#include <algorithm>
#include <tuple>

#include "engine/editor_values.h"
#include "engine/session.h"
#include "engine/stages.h"
#include "net/lobby_place.h"

namespace glamora {

namespace {

// Written by this program; a file without it is someone else's.
constexpr const char* kFormatKey = "format";
constexpr const char* kFormat = "1";
// A settings file of ours is a few kilobytes.
constexpr qint64 kLargestFile = 64 * 1024;

constexpr std::array<std::pair<DisplaySize, const char*>, 4> kSizeNames = {{{DisplaySize::Single, "1"},
                                                                            {DisplaySize::OneAndHalf, "1.5"},
                                                                            {DisplaySize::Double, "2"},
                                                                            {DisplaySize::FullScreen, "full"}}};

QString computerName(const std::optional<ComputerLevel>& level) {
  return level ? QString::fromLatin1(levelName(*level).data(), static_cast<qsizetype>(levelName(*level).size()))
               : QStringLiteral("off");
}

QString switchName(bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); }

// Reads the keys of the file one by one; the first value out of place names
// itself in `problem`, and every later read leaves its default.
class Reader {
 public:
  explicit Reader(QSettings& file) : file_(file) {}
  QString problem;

  // The text under `key`, if the key is there and holds one plain text.
  std::optional<QString> text(const QString& key) {
    if (!problem.isEmpty() || !file_.contains(key)) return std::nullopt;
    const QVariant value = file_.value(key);
    if (value.typeId() != QMetaType::QString) {
      problem = key + " is not a single value";
      return std::nullopt;
    }
    return value.toString();
  }
  // `key` holds one of `names`; `chosen` gets the matching value.
  template <typename T, std::size_t N>
  void choice(const QString& key, const std::array<std::pair<T, QString>, N>& names, T& chosen) {
    const std::optional<QString> value = text(key);
    if (!value) return;
    for (const auto& [v, name] : names) {
      if (*value == name) {
        chosen = v;
        return;
      }
    }
    problem = key + " holds \"" + value->left(20) + "\"";
  }
  void computer(const QString& key, std::optional<ComputerLevel>& level) {
    std::array<std::pair<std::optional<ComputerLevel>, QString>, 4> names{{{std::nullopt, "off"}}};
    for (int k = 0; k < 3; ++k) {
      const auto l = static_cast<ComputerLevel>(k);
      names[k + 1] = {l, computerName(l)};
    }
    choice(key, names, level);
  }
  void onOff(const QString& key, bool& on) {
    choice(key, std::array<std::pair<bool, QString>, 2>{{{true, "on"}, {false, "off"}}}, on);
  }
  // Empty, or a place a lobby can be at ("host[:port]").
  void lobbyPlace(const QString& key, std::string& out) {
    const std::optional<QString> value = text(key);
    if (!value) return;
    if (!value->isEmpty() && !netio::readLobbyPlace(value->toStdString())) {
      problem = key + " holds \"" + value->left(20) + "\"";
      return;
    }
    out = value->toStdString();
  }
  void number(const QString& key, int least, int most, int& n) {
    const std::optional<QString> value = text(key);
    if (!value) return;
    bool ok = false;
    const int v = value->toInt(&ok);
    if (ok && v >= least && v <= most && *value == QString::number(v)) n = v;
    else problem = key + " holds \"" + value->left(20) + "\"";
  }
  // A box's text as it could have been typed: at most the box's length, and
  // nothing a line of the session journal could not hold.
  void editorText(const EditorBox& box, std::string& out) {
    const QString key = "editor/" + QString::fromStdString(box.name());
    const std::optional<QString> value = text(key);
    if (!value) return;
    const QList<uint> characters = value->toUcs4();
    const bool printable =
        std::all_of(characters.begin(), characters.end(), [](uint c) { return QChar::isPrint(char32_t(c)); });
    if (!value->isValidUtf16() || !printable || characters.size() > box.maxLength()) {
      problem = key + " holds a text no box takes";
      return;
    }
    out = value->toStdString();
  }

 private:
  QSettings& file_;
};

int enabledStages(const TrainingState& state) {
  int n = 1;
  while (n < kOriginalStage - 1 && state.enabled[n]) ++n;
  return n;
}

// The stage items enabled after `unlock n`.
std::array<bool, kOriginalStage> stagesAfterUnlock(int n) {
  std::array<bool, kOriginalStage> enabled{};
  for (int k = 1; k <= kOriginalStage; ++k) enabled[k - 1] = k <= n || k == kOriginalStage;
  return enabled;
}

}  // namespace

std::optional<double> fixedScale(DisplaySize size) {
  switch (size) {
    case DisplaySize::Single: return 1.0;
    case DisplaySize::OneAndHalf: return 1.5;
    case DisplaySize::Double: return 2.0;
    case DisplaySize::FullScreen: break;
  }
  return std::nullopt;
}

std::vector<std::string> KeptSettings::defaultEditorTexts() {
  const EditorValues values;
  std::vector<std::string> texts;
  for (const EditorBox& box : editorBoxesInCheckOrder()) texts.push_back(values.text(box));
  return texts;
}

QString defaultSettingsPath() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, "glamora", "glamora").fileName();
}

SettingsRead readSettingsFile(const QString& path) {
  SettingsRead read;
  const QFileInfo info(path);
  if (!info.exists() && !info.isSymLink()) return read;
  const auto ignored = [&](const QString& why) {
    read.problem = why;
    return read;
  };
  if (!info.isFile()) return ignored("it is not a file");
  if (!info.isReadable()) return ignored("it cannot be read");
  if (info.size() > kLargestFile) return ignored("it is too large");
  QSettings file(path, QSettings::IniFormat);
  if (file.status() != QSettings::NoError) return ignored("it cannot be read");
  if (file.value(kFormatKey).toString() != kFormat) return ignored("it is not a settings file of this game");

  KeptSettings s;
  Reader r(file);
  r.computer("battle/player1", s.battleComputers[0]);
  r.computer("battle/player2", s.battleComputers[1]);
  r.onOff("battle/bgm", s.battleSound.music);
  r.onOff("battle/se", s.battleSound.voices);
  r.computer("training/player", s.trainingComputer);
  r.onOff("training/bgm", s.trainingSound.music);
  r.onOff("training/se", s.trainingSound.voices);
  r.choice("training/character",
           std::array<std::pair<Character, QString>, 2>{{{Character::Elna, "elna"}, {Character::Mirabe, "mirabe"}}},
           s.character);
  r.number("training/stages", 1, kOriginalStage - 1, s.trainingStages);
  const std::vector<EditorBox> boxes = editorBoxesInCheckOrder();
  for (std::size_t i = 0; i < boxes.size(); ++i) r.editorText(boxes[i], s.editorTexts[i]);
  std::array<std::pair<DisplaySize, QString>, 4> sizes;
  for (std::size_t i = 0; i < sizes.size(); ++i) sizes[i] = {kSizeNames[i].first, kSizeNames[i].second};
  r.choice("display/size", sizes, s.displaySize);
  r.lobbyPlace("net/lobby", s.lobby);
  // A language this version does not have (kept by a newer one) counts as none chosen.
  if (const QString language = file.value("display/language").toString(); language == "ja" || language == "en")
    s.language = language.toStdString();
  r.number("sound/music", 0, 100, s.volumes.music);
  r.number("sound/voices", 0, 100, s.volumes.voices);
  if (!r.problem.isEmpty()) return ignored(r.problem);
  if (const QString problem = readControlSettings(file, s.controls); !problem.isEmpty()) return ignored(problem);
  read.settings = std::move(s);
  return read;
}

bool writeSettingsFile(const QString& path, const KeptSettings& s) {
  QSettings file(path, QSettings::IniFormat);
  file.clear();
  file.setValue(kFormatKey, kFormat);
  file.setValue("battle/player1", computerName(s.battleComputers[0]));
  file.setValue("battle/player2", computerName(s.battleComputers[1]));
  file.setValue("battle/bgm", switchName(s.battleSound.music));
  file.setValue("battle/se", switchName(s.battleSound.voices));
  file.setValue("training/player", computerName(s.trainingComputer));
  file.setValue("training/bgm", switchName(s.trainingSound.music));
  file.setValue("training/se", switchName(s.trainingSound.voices));
  file.setValue("training/character", s.character == Character::Elna ? "elna" : "mirabe");
  file.setValue("training/stages", QString::number(s.trainingStages));
  const std::vector<EditorBox> boxes = editorBoxesInCheckOrder();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    file.setValue("editor/" + QString::fromStdString(boxes[i].name()), QString::fromStdString(s.editorTexts[i]));
  }
  for (const auto& [size, name] : kSizeNames) {
    if (size == s.displaySize) file.setValue("display/size", name);
  }
  file.setValue("net/lobby", QString::fromStdString(s.lobby));
  if (!s.language.empty()) file.setValue("display/language", QString::fromStdString(s.language));
  file.setValue("sound/music", QString::number(s.volumes.music));
  file.setValue("sound/voices", QString::number(s.volumes.voices));
  writeControlSettings(file, s.controls);
  file.sync();
  return file.status() == QSettings::NoError;
}

KeptSettings settingsOf(const Session& session, DisplaySize displaySize) {
  KeptSettings s;
  for (int p = 0; p < 2; ++p) {
    if (const ComputerPlayer* cpu = session.battle.computer(p)) s.battleComputers[p] = cpu->level();
  }
  if (const ComputerPlayer* cpu = session.training.computer()) s.trainingComputer = cpu->level();
  s.battleSound = {!session.battle.sound.bgmOff, !session.battle.sound.seOff};
  s.trainingSound = {!session.training.sound.bgmOff, !session.training.sound.seOff};
  s.character = session.training.state.character;
  s.trainingStages = enabledStages(session.training.state);
  const std::vector<EditorBox> boxes = editorBoxesInCheckOrder();
  for (std::size_t i = 0; i < boxes.size(); ++i) s.editorTexts[i] = session.editor.text(boxes[i]);
  s.displaySize = displaySize;
  return s;
}

void applySettings(Session& session, const KeptSettings& wanted) {
  // Each computer keeps the seed the menus give it.
  const KeptSettings now = settingsOf(session, wanted.displaySize);
  for (int p = 0; p < 2; ++p) {
    if (now.battleComputers[p] != wanted.battleComputers[p]) {
      session.computer(Mode::Battle, p, wanted.battleComputers[p],
                       session.battle.computerSeed + static_cast<std::uint64_t>(p));
    }
  }
  if (now.trainingComputer != wanted.trainingComputer) {
    session.computer(Mode::Training, 0, wanted.trainingComputer, session.training.computerSeed);
  }
  for (const auto& [mode, was, want] : {std::tuple{Mode::Battle, now.battleSound, wanted.battleSound},
                                        std::tuple{Mode::Training, now.trainingSound, wanted.trainingSound}}) {
    if (was.music != want.music) session.music(mode, want.music);
    if (was.voices != want.voices) session.voices(mode, want.voices);
  }
  if (now.character != wanted.character) session.character(wanted.character);
  // The game's editor writes its boxes straight into the values and the
  // session records the changed ones when it closes: restored texts go the
  // same way, and are checked as a close would check them.
  if (now.editorTexts != wanted.editorTexts) {
    const std::vector<EditorBox> boxes = editorBoxesInCheckOrder();
    for (std::size_t i = 0; i < boxes.size(); ++i) session.editorType(boxes[i], wanted.editorTexts[i]);
    session.editorClose(false);
  }
  if (session.training.state.enabled != stagesAfterUnlock(wanted.trainingStages)) {
    session.unlock(wanted.trainingStages);
  }
}

}  // namespace glamora
