// The whole program on the simulated clock with the shipped data files, its
// session recorded as a journal in memory: the fixture of the tests that play
// a session and replay it.
#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "../engine/test_support.h"
#include "app/glamora_app.h"
#include "assets/media/silent_output.h"
#include "engine/journal.h"
#include "engine/replay.h"

namespace glamora::test {

struct StringSink final : JournalSink {
  std::string text;
  bool write(std::string_view t) override {
    text += t;
    return true;
  }
};

struct RecordedGame : ::testing::Test {
  QTemporaryDir assets;
  std::unique_ptr<GlamoraApp> app;
  media::MediaLibrary media{std::make_unique<media::SilentOutput>([this] { return app ? app->clock().now() : 0; })};
  StringSink sink;
  JournalWriter writer{sink};
  std::vector<std::string> results;  // every round's end but "abandoned"

  void SetUp() override {
    for (const char* name : {"Glamora.mid", "ELNA1.wav", "MIRABE1.wav", "ELNA2.wav", "ELNA3.wav", "MIRABE2.wav",
                             "MIRABE3.wav", "Glamora.txt"}) {
      ASSERT_TRUE(QFile::copy(QString(GLAMORA_DATA_DIR) + "/" + name, assets.filePath(name)));
    }
    app = std::make_unique<GlamoraApp>(media, filesInDirectory(assets.path().toStdString()));
    app->effects().errorBox = [](const QString& text) { ADD_FAILURE() << text.toStdString(); };
    writer.begin("1.0", "2026-12-07T21:04:11+09:00");
    app->session().setRecorder(&writer);
    app->session().onRoundEnded = [this](const RoundRecord& r) {
      if (r.result != "abandoned") results.push_back(r.result);
    };
    app->title().show();
    wait(500);  // the start-up step
  }
  void TearDown() override { app->session().setRecorder(nullptr); }
  void wait(int ms) { app->clock().advance(ms); }
};

// Replays `journal` headless and checks that it ends where `live` is: the same
// time and the same state of both screens; `alsoCheck` looks at the replayed
// session further. Returns the dialogs it opened.
inline std::vector<std::string> replayToTheSameState(const std::string& journal, const Session& live,
                                                     const std::function<void(const Session&)>& alsoCheck = {}) {
  RecordingEffects effects;
  const std::vector<std::string> lines = splitLines(journal);
  EXPECT_EQ(firstBadLine(lines), std::nullopt);
  ReplayRun replay(effects, lines);
  while (replay.play(1'000'000)) {
  }
  const Session& again = replay.session;
  EXPECT_EQ(again.clock.now(), live.clock.now());
  EXPECT_EQ(again.battle.state, live.battle.state);
  EXPECT_EQ(again.battle.player(0).state, live.battle.player(0).state);
  EXPECT_EQ(again.battle.player(1).state, live.battle.player(1).state);
  EXPECT_EQ(again.training.state, live.training.state);
  EXPECT_EQ(again.training.player().state, live.training.player().state);
  if (alsoCheck) alsoCheck(again);
  std::vector<std::string> dialogs;
  for (const std::string& entry : effects.log) {
    if (entry.rfind("dialog ", 0) == 0) dialogs.push_back(entry.substr(7));
  }
  return dialogs;
}

}  // namespace glamora::test
