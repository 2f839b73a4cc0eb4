// The kept session files: reading one safely whatever the path names,
// pruning by the files' own times, and a journal file on a full disk.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "sessions/session_files.h"

namespace glamora {
namespace {

namespace fs = std::filesystem;

// A new empty directory, removed with everything in it at the end.
struct TemporaryDirectory {
  fs::path root;
  TemporaryDirectory() {
    std::string name = (fs::temp_directory_path() / "glamora-sessions-XXXXXX").string();
    if (::mkdtemp(name.data())) root = name;
  }
  ~TemporaryDirectory() {
    std::error_code ec;
    if (!root.empty()) fs::remove_all(root, ec);
  }
};

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ReadSessionFileTest, ReadsOnlyARegularFileOfAtMost64MiBAndNeverWaits) {
  const TemporaryDirectory dir;
  const fs::path& root = dir.root;
  ASSERT_FALSE(root.empty());
  std::ofstream(root / "kept.session") << "stage 1\n";
  std::ofstream(root / "empty.session");
  ASSERT_EQ(::mkfifo((root / "fifo.session").c_str(), 0600), 0);  // no writer: a blocking open waits for ever
  fs::create_directory(root / "folder.session");
  // Sparse: no 64 MiB are written.
  std::ofstream(root / "limit.session");
  fs::resize_file(root / "limit.session", kMaxSessionFileBytes);
  std::ofstream(root / "over.session");
  fs::resize_file(root / "over.session", kMaxSessionFileBytes + 1);
  fs::create_symlink(root / "kept.session", root / "link.session");
  const struct {
    fs::path path;
    std::optional<std::size_t> size;  // nothing: refused
    const char* reason;
  } cases[] = {
      {root / "kept.session", 8, ""},
      {root / "empty.session", 0, ""},
      {root / "link.session", 8, ""},
      {root / "limit.session", kMaxSessionFileBytes, ""},
      {root / "over.session", {}, "ファイルが大きすぎます (64 MiB まで)"},
      {root / "fifo.session", {}, "ファイルではありません"},
      {root / "folder.session", {}, "ファイルではありません"},
      {"/dev/zero", {}, "ファイルではありません"},
      {root / "missing.session", {}, "ファイルが見つかりません"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.string());
    Message error = Message::fixed("stale");
    const std::optional<std::string> text = readSessionFile(c.path, error);
    ASSERT_EQ(text.has_value(), c.size.has_value()) << error.text();
    if (text) {
      EXPECT_EQ(text->size(), *c.size);
      EXPECT_EQ(error.text(), "");
    } else {
      EXPECT_EQ(error.text(), c.path.string() + ": " + c.reason);
    }
  }
  EXPECT_EQ(*readSessionFile(root / "kept.session", *std::make_unique<Message>()), "stage 1\n");
}

// Names and times that disagree: a clock set back or forward, files copied in.
TEST(PruneSessionsTest, TheOldestOfTheGamesOwnFilesGoByTheirTimesNotTheirNames) {
  const TemporaryDirectory dir;
  const fs::path& root = dir.root;
  ASSERT_FALSE(root.empty());
  const auto now = fs::file_time_type::clock::now();
  const struct {
    const char* name;
    int hoursAgo;
    bool keptAtThree;  // after pruneSessions(root, 3)
    bool keptAtNone;   // then after pruneSessions(root, 0)
  } files[] = {
      {"20200101-000000.session", -8000, true, true},  // written while the clock was a year ahead: the newest
      {"20261201-120000.session", 1, true, false},
      {"20261201-120000_2.session", 2, true, false},
      {"20991231-235959.session", 3, false, false},  // named in the future, written before the others
      {"20261129-120000.session", 400, false, false},
      {".hidden.session", 900, true, true},
      {"Best.session", 900, true, true},
      {"20261201-1200.session", 900, true, true},
      {"20261201-120000.session.bak", 900, true, true},
      {"20261201-120000_x.session", 900, true, true},
      {"notes.txt", 900, true, true},
  };
  for (const auto& f : files) {
    std::ofstream(root / f.name) << "stage 1\n";
    fs::last_write_time(root / f.name, now - std::chrono::hours(f.hoursAgo));
  }
  const auto left = [&] {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(root)) names.insert(entry.path().filename().string());
    return names;
  };
  const auto expected = [&](bool (*kept)(const decltype(files[0])&)) {
    std::set<std::string> names;
    for (const auto& f : files) {
      if (kept(f)) names.insert(f.name);
    }
    return names;
  };
  pruneSessions(root, 3);
  EXPECT_EQ(left(), expected([](const auto& f) { return f.keptAtThree; }));
  pruneSessions(root, 0);  // the previous run's file stays whatever is asked
  EXPECT_EQ(left(), expected([](const auto& f) { return f.keptAtNone; }));
  // The newest file's name, made again by a clock set back: a new file beside it.
  std::string error;
  const auto file = JournalFile::create(root, "20200101-000000", error);
  ASSERT_TRUE(file) << error;
  EXPECT_EQ(file->path().filename(), "20200101-000000_2.session");
  EXPECT_TRUE(fs::exists(root / "20200101-000000.session"));
  // The list: every session file but hidden ones, newest first.
  const auto listed = keptSessions(root);
  ASSERT_EQ(listed.size(), 5u);
  EXPECT_EQ(listed[0].filename(), "20200101-000000.session");
  EXPECT_EQ(listed[1].filename(), "20200101-000000_2.session");
}

// A file size limit stands in for a full disk: the write that meets it is
// written in part, then refused.
TEST(JournalFileTest, AWriteThatFailsPartWayIsCutBackToTheLastWholeLine) {
  const TemporaryDirectory dir;
  ASSERT_FALSE(dir.root.empty());
  std::string error;
  const auto file = JournalFile::create(dir.root, "20261201-120000", error);
  ASSERT_TRUE(file) << error;
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 100;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string line = "editor psc 150 and some more\n";  // 29 bytes
  std::vector<bool> written;
  for (int i = 0; i < 5; ++i) written.push_back(file->write(line));
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(written, (std::vector<bool>{true, true, true, false, false}));
  EXPECT_EQ(contents(file->path()), line + line + line);
  EXPECT_NE(file->error().find("File too large"), std::string::npos) << file->error();
}

}  // namespace
}  // namespace glamora
