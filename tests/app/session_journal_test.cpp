// The game's session journal: each input on disk at once, nothing after
// its end, and the round running noted at every way the program can end.
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../engine/test_support.h"
#include "app/session_journal.h"
#include "sessions/session_files.h"

namespace glamora {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct SessionJournalTest : ::testing::Test {
  QTemporaryDir dir;
  test::RecordingEffects effects;
  Session session{effects};
  const QDateTime started = QDateTime::fromString("2026-12-07T21:04:11+09:00", Qt::ISODate);

  std::string journalText() {
    const auto files = keptSessions(dir.path().toStdString());
    return files.size() == 1 ? contents(files[0]) : std::to_string(files.size()) + " files";
  }
  // A battle round two seconds in, with one key.
  void playIntoARound() {
    session.clock.advance(500);
    session.stage(Mode::Battle, 2);
    session.clock.advance(1000);
    session.key(Mode::Battle, 's');
    session.clock.advance(1000);
  }
};

TEST_F(SessionJournalTest, EachInputIsOnDiskAtOnceAndTheRoundRunningAtTheEndIsNoted) {
  SessionJournal journal(session, dir.path().toStdString(), started);
  // The file and its first line are there before anything is played.
  ASSERT_EQ(journalText(), "# Glamora 1.0 session 2026-12-07T21:04:11+09:00\n");
  playIntoARound();
  // Each second of the clock is on disk too, without any input: a killed
  // program loses at most the last second of its round.
  EXPECT_EQ(
      journalText(),
      "# Glamora 1.0 session 2026-12-07T21:04:11+09:00\nwait 500\nstage 2\nwait 500\nwait 500\nkey s\nwait 500\n");
  journal.keepUp();
  EXPECT_TRUE(journalText().ends_with("key s\nwait 500\nwait 500\n"));
  session.clock.advance(300);
  journal.finish();
  const std::string finished = journalText();
  EXPECT_TRUE(
      finished.ends_with("key s\nwait 500\nwait 500\nwait 300\n# round 1: battle stage 2, t 500..2800, unfinished\n"))
      << finished;
  // Finished, the journal writes nothing more, whatever happens next.
  journal.finish();
  session.clock.advance(1000);
  session.key(Mode::Battle, 'd');
  journal.keepUp();
  EXPECT_EQ(journalText(), finished);
}

// exit() is Qt's way out when the X server goes; a fatal message aborts.
// Neither runs main's own end nor the journal's destructor.
TEST_F(SessionJournalTest, AnExitOrAFatalMessageStillNotesTheRoundRunning) {
  const struct {
    const char* what;
    void (*end)();
  } endings[] = {
      {"exit", [] { std::exit(1); }},
      {"fatal message", [] { qFatal("The X11 connection broke"); }},
  };
  for (const auto& ending : endings) {
    SCOPED_TRACE(ending.what);
    const QTemporaryDir sessions;
    // A child process that is a copy of this one (gtest's death tests fork).
    EXPECT_EXIT(
        {
          SessionJournal journal(session, sessions.path().toStdString(), started);
          playIntoARound();
          ending.end();
        },
        [](int status) {
          return (WIFEXITED(status) && WEXITSTATUS(status) == 1) ||
                 (WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT);
        },
        "");
    const auto files = keptSessions(sessions.path().toStdString());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(
        contents(files[0]).ends_with("key s\nwait 500\nwait 500\n# round 1: battle stage 2, t 500..2500, unfinished\n"))
        << contents(files[0]);
  }
}

}  // namespace
}  // namespace glamora
