// The settings file's round trip and the files it ignores, and a keeper
// that follows a session's inputs into the file.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "../engine/test_support.h"
#include "engine/script_runner.h"
#include "engine/stages.h"
#include "settings/kept_settings.h"
#include "settings/settings_keeper.h"

namespace glamora {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// Texts a player may leave in the boxes, among them what INI files treat specially.
const char* const kTexts[] = {"",  " ",   "7",      "1500", "99999", "a,b", ";#",  "\"", "\\",
                              "=", " 9 ", "あいう", "🍎",    "%",     "[a]", "\\n", "0x1"};

KeptSettings randomSettings(std::mt19937& random) {
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const auto level = [&]() -> std::optional<ComputerLevel> {
    const int k = pick(4);
    return k == 0 ? std::nullopt : std::optional(static_cast<ComputerLevel>(k - 1));
  };
  KeptSettings s;
  s.battleComputers = {level(), level()};
  s.trainingComputer = level();
  s.battleSound = {pick(2) == 0, pick(2) == 0};
  s.trainingSound = {pick(2) == 0, pick(2) == 0};
  s.character = pick(2) == 0 ? Character::Elna : Character::Mirabe;
  s.trainingStages = 1 + pick(14);
  const std::vector<EditorBox> boxes = editorBoxesInCheckOrder();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    std::string text;
    do text = kTexts[pick(std::size(kTexts))];
    while (QString::fromStdString(text).toUcs4().size() > boxes[i].maxLength());
    s.editorTexts[i] = text;
  }
  s.displaySize = kDisplaySizes[pick(4)];
  const char* const lobbies[] = {"", "lobby.example.org", "192.0.2.7:5000"};
  s.lobby = lobbies[pick(3)];
  const int levels[] = {0, 1, 50, 99, 100};
  s.volumes = {levels[pick(5)], levels[pick(5)]};
  return s;
}

TEST(KeptSettingsFileTest, WhatIsWrittenIsReadBack) {
  QTemporaryDir dir;
  const QString path = dir.filePath("config/glamora/glamora.ini");
  std::mt19937 random(20261208);
  for (int n = 0; n < 40; ++n) {
    const KeptSettings settings = randomSettings(random);
    ASSERT_TRUE(writeSettingsFile(path, settings));
    const SettingsRead read = readSettingsFile(path);
    ASSERT_EQ(read.problem.toStdString(), "");
    ASSERT_TRUE(read.settings == settings) << "settings " << n;
  }
  // No file: the defaults, and nothing to say. Keys left out keep theirs.
  EXPECT_TRUE(readSettingsFile(dir.filePath("none.ini")).settings == KeptSettings{});
  writeFile(path, "[General]\nformat=1\n[battle]\nplayer2=hard\n");
  KeptSettings partial;
  partial.battleComputers[1] = ComputerLevel::Hard;
  EXPECT_TRUE(readSettingsFile(path).settings == partial);
  EXPECT_EQ(readSettingsFile(path).problem, "");
}

TEST(KeptSettingsFileTest, AFileThatCannotBeReadOrHoldsNonsenseGivesTheDefaultsAndOneLine) {
  const QByteArray ours = "[General]\nformat=1\n";
  const struct {
    const char* name;
    QByteArray content;
  } cases[] = {
      {"empty", ""},
      {"binary", QByteArray("\x00\x01\xff\xfe[\x80]=\x00", 10)},
      {"another program's", "[General]\nvolume=3\n"},
      {"a later format", "[General]\nformat=2\n"},
      {"unknown level", ours + "[battle]\nplayer1=expert\n"},
      {"switch", ours + "[training]\nse=maybe\n"},
      {"character in capitals", ours + "[training]\ncharacter=ELNA\n"},
      {"stage past 14", ours + "[training]\nstages=15\n"},
      {"stage 0", ours + "[training]\nstages=0\n"},
      {"stage written oddly", ours + "[training]\nstages=+3\n"},
      {"grid text too long", ours + "[editor]\npa11=12\n"},
      {"norm text too long", ours + "[editor]\npsc=123456\n"},
      {"a list", ours + "[editor]\npa11=1,2\n"},
      {"a control character", ours + "[editor]\nptm=\"\\t\"\n"},
      {"display size", ours + "[display]\nsize=3\n"},
      {"lobby with a space", ours + "[net]\nlobby=my lobby\n"},
      {"lobby port past 65535", ours + "[net]\nlobby=lobby.example.org:70000\n"},
      {"music volume past 100", ours + "[sound]\nmusic=101\n"},
      {"voice volume below 0", ours + "[sound]\nvoices=-1\n"},
      {"volume with a sign", ours + "[sound]\nvoices=%50\n"},
      {"too large", ours + "[battle]\nplayer1=hard\n" + QByteArray(70'000, ';')},
  };
  QTemporaryDir dir;
  const QString path = dir.filePath("glamora.ini");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    writeFile(path, c.content);
    EXPECT_FALSE(readSettingsFile(path).problem.isEmpty());
    testing::internal::CaptureStderr();
    readSettingsAtStart(path);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_TRUE(settingsAtStart().settings == KeptSettings{});
  }
  // A directory where the file should be.
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));
  EXPECT_FALSE(readSettingsFile(dir.filePath("folder.ini")).problem.isEmpty());
  readSettingsAtStart({});
}

TEST(KeptSettingsFileTest, AFileThatCannotBeWrittenCostsOneLineAndNothingElse) {
  QTemporaryDir dir;
  writeFile(dir.filePath("plain"), "x");
  const QString path = dir.filePath("plain/glamora.ini");  // under a file: no directory can be made
  EXPECT_FALSE(writeSettingsFile(path, KeptSettings{}));
  test::RecordingEffects effects;
  Session session(effects);
  SettingsKeeper keeper(session, path, {});
  testing::internal::CaptureStderr();
  session.music(Mode::Battle, false);
  session.voices(Mode::Training, false);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_TRUE(session.battle.sound.bgmOff);
}

struct NoEvents final : ScriptEvents {
  void ignored(int) override {}
  void dump(Mode) override {}
};

// Whatever reaches the engines, from a menu or a script, is in the file as
// the engines hold it after each input; a won stage opens the next there too.
TEST(SettingsKeeperTest, TheFileFollowsTheSessionsInputs) {
  QTemporaryDir dir;
  const QString path = dir.filePath("glamora.ini");
  test::RecordingEffects effects;
  Session session(effects);
  KeptSettings read;
  read.displaySize = DisplaySize::Double;
  read.controls.pads = {{"0123456789abcdef0123456789abcdef", 1, 1}};
  read.lobby = "lobby.example.org";
  read.volumes = {40, 70};
  SettingsKeeper keeper(session, path, read);
  NoEvents events;
  ScriptRunner runner(session, events);
  std::istringstream script(
      "cpu 2 hard 7\nbgm off\nkey a\nscreen training\nse off\ncpu 1 normal 3\ncharacter mirabe\n"
      "unlock 3\neditor pa11 5\neditor psc 300\neditor close\nscreen battle\nse off\ncpu 2 off 7\n"
      "character elna\nunlock 14\nunlock 2\nscreen training\nstage 2\n");
  const auto held = [&] {
    KeptSettings s = settingsOf(session, DisplaySize::Double);
    s.controls = read.controls;
    s.lobby = keeper.lobby();
    s.volumes = keeper.volumes();
    return s;
  };
  std::string line, reason;
  for (int n = 1; std::getline(script, line); ++n) {
    ASSERT_TRUE(runner.runLine(n, line, reason)) << reason;
    if (line.starts_with("editor p")) continue;  // the boxes typed in are kept as the editor closes
    EXPECT_TRUE(readSettingsFile(path).settings == held()) << line;
  }
  session.training.player().state.points = trainingNorm(2);
  session.wait(100);
  ASSERT_EQ(effects.log.back(), "dialog SwForm");
  EXPECT_EQ(held().trainingStages, 3);
  EXPECT_TRUE(readSettingsFile(path).settings == held());
  EXPECT_EQ(readSettingsFile(path).settings.volumes, (SoundVolumes{40, 70}));
  // The lobby and the volumes chosen are kept, and stay when the records are erased.
  keeper.chooseLobby("192.0.2.7:5000");
  keeper.chooseVolumes({0, 55});
  EXPECT_EQ(readSettingsFile(path).settings.lobby, "192.0.2.7:5000");
  EXPECT_EQ(readSettingsFile(path).settings.volumes, (SoundVolumes{0, 55}));
  keeper.erase();
  EXPECT_EQ(readSettingsFile(path).settings.lobby, "192.0.2.7:5000");
  EXPECT_EQ(readSettingsFile(path).settings.volumes, (SoundVolumes{0, 55}));
  EXPECT_EQ(readSettingsFile(path).settings.battleComputers, KeptSettings{}.battleComputers);
}

}  // namespace
}  // namespace glamora
