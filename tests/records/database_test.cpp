// The records database: rows written and read back, the rebuild from kept
// session files, the first schema's files brought up to date, damaged files
// moved aside, and what the window counts from the rows.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "records/records_database.h"
#include "records/records_keeper.h"
#include "records/records_summary.h"
#include "records/script_records.h"

namespace glamora::records {
namespace {

namespace fs = std::filesystem;

struct TempDir {
  fs::path path;
  TempDir() {
    path = fs::temp_directory_path() / ("glamora-records-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempDir() { fs::remove_all(path); }
};

void writeFile(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

RoundRow row(int n, std::string file = "a.session") {
  RoundRow r{1'800'000'000'000 + n,
             PlayMode::Computer,
             n % 14 + 1,
             "person",
             "cpu:hard",
             n % 2 + 1,
             1000 + n,
             {},
             {},
             std::move(file),
             n,
             -1};
  if (n % 5 == 0) r = {r.endedAt, PlayMode::Training, 2, "person", "", n % 2, 2000, 1700, 1500, r.sessionFile, n, -1};
  return r;
}

TEST(RecordsDatabase, RowsComeBackAsWrittenAndOneRoundIsOneRow) {
  TempDir dir;
  std::ostringstream log;
  auto db = RecordsDatabase::open(dir.path / "records.sqlite", log);
  ASSERT_TRUE(db);
  EXPECT_EQ(db->schemaVersion(), kSchemaVersion);
  std::vector<RoundRow> written;
  for (int n = 1; n <= 20; ++n) {
    written.push_back(row(n));
    ASSERT_TRUE(db->add(written.back()));
  }
  ASSERT_TRUE(db->add(row(3)));  // the same round again replaces its row
  EXPECT_EQ(db->rows(), written);
  EXPECT_EQ(log.str(), "");
  db.reset();
  // Reopened: the rows were committed, in WAL mode.
  db = RecordsDatabase::open(dir.path / "records.sqlite", log);
  EXPECT_EQ(db->count(), 20);
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open((dir.path / "records.sqlite").c_str(), &raw), SQLITE_OK);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(raw, "PRAGMA journal_mode", -1, &s, nullptr);
  ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
  EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)), "wal");
  sqlite3_finalize(s);
  sqlite3_close(raw);
}

TEST(RecordsDatabase, TheFirstSchemaIsBroughtUpToDateWithItsRows) {
  TempDir dir;
  const fs::path path = dir.path / "records.sqlite";
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(raw, kFirstSchema, nullptr, nullptr, nullptr), SQLITE_OK);
  ASSERT_EQ(
      sqlite3_exec(raw,
                   "INSERT INTO rounds(ended_at, mode, stage, side1, side2, winner, length_ms, session_file, round)"
                   " VALUES(5, 'network', 3, 'peer:elna', 'person', 2, 900, 'n.session', 1),"
                   " (6, 'computer', 4, 'person', 'cpu:easy', 1, 800, 'c.session', 1);"
                   "PRAGMA user_version = 1;",
                   nullptr, nullptr, nullptr),
      SQLITE_OK);
  sqlite3_close(raw);
  std::ostringstream log;
  auto db = RecordsDatabase::open(path, log);
  ASSERT_TRUE(db);
  EXPECT_EQ(db->schemaVersion(), 2);
  const std::vector<RoundRow> rows = db->rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].localPlayer, 1);  // this machine was the joiner
  EXPECT_TRUE(ownWin(rows[0]));
  EXPECT_EQ(rows[1].localPlayer, -1);
  EXPECT_EQ(log.str(), "");
}

TEST(RecordsDatabase, ADamagedOrForeignFileIsMovedAsideAndAFreshOneStarted) {
  const auto damaged = [](const fs::path& path) {
    std::ostringstream log;
    auto db = RecordsDatabase::open(path, log);
    ASSERT_TRUE(db->add(row(1)));
    for (int n = 2; n < 400; ++n) db->add(row(n));
    db.reset();
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(4096);  // the table's first page, header and all
    f << std::string(8192, '\x5a');
  };
  const std::pair<const char*, std::function<void(const fs::path&)>> cases[] = {
      {"not a database", [](const fs::path& p) { writeFile(p, std::string(5000, 'x')); }},
      {"cut short", [](const fs::path& p) { writeFile(p, "SQLite format 3"); }},
      {"pages overwritten", damaged},
  };
  for (const auto& [name, spoil] : cases) {
    SCOPED_TRACE(name);
    TempDir dir;
    const fs::path path = dir.path / "records.sqlite";
    spoil(path);
    std::ostringstream log;
    auto db = RecordsDatabase::open(path, log);
    ASSERT_TRUE(db);
    EXPECT_EQ(db->count(), 0);
    EXPECT_TRUE(db->add(row(7)));
    const std::string said = log.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("moved to"), std::string::npos);
    int aside = 0;
    for (const auto& entry : fs::directory_iterator(dir.path))
      aside += entry.path().filename().string().starts_with("records.sqlite.damaged-");
    EXPECT_GE(aside, 1);
  }
}

TEST(RecordsDatabase, AFileOfANewerProgramIsLeftAlone) {
  TempDir dir;
  const fs::path path = dir.path / "records.sqlite";
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
  sqlite3_exec(raw, "CREATE TABLE later(x); PRAGMA user_version = 99;", nullptr, nullptr, nullptr);
  sqlite3_close(raw);
  std::ostringstream log;
  EXPECT_FALSE(RecordsDatabase::open(path, log));
  EXPECT_NE(log.str().find("newer version"), std::string::npos);
  EXPECT_TRUE(fs::exists(path));
}

TEST(RecordsKeeper, RebuildReplacesTheRowsOfKeptFilesAndKeepsThoseOfPrunedOnes) {
  TempDir dir;
  const fs::path sessions = dir.path / "sessions";
  fs::create_directories(sessions);
  const std::string header = "# Glamora 1.0 session 2026-12-07T21:04:11+09:00\n";
  writeFile(sessions / "20261207-210411.session",
            header + "cpu 2 hard 1\nstage 1\nwait 900000\nstage 2\nwait 900000\n");
  writeFile(sessions / "20261208-100000.session", header + "screen training\ncpu 1 hard 3\nstage 1\nwait 900000\n");
  writeFile(sessions / "20261209-100000.session", header + "stage 1\nwait 3000\n");  // unfinished
  std::ostringstream log;
  RecordsKeeper keeper(sessions, log);
  ASSERT_TRUE(keeper.database());
  EXPECT_EQ(keeper.databasePath(), dir.path / "records.sqlite");
  keeper.database()->add(row(1, "20261101-000000.session"));  // its file was pruned
  keeper.database()->add(row(9, "20261207-210411.session"));  // a row its journal does not give
  EXPECT_EQ(keeper.rebuild(), 3);
  const std::vector<RoundRow> rows = keeper.database()->rows();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(std::count(rows.begin(), rows.end(), row(1, "20261101-000000.session")), 1);
  std::vector<RoundRow> expected =
      rowsOfScript(header + "cpu 2 hard 1\nstage 1\nwait 900000\nstage 2\nwait 900000\n", "20261207-210411.session");
  EXPECT_EQ(std::count(rows.begin(), rows.end(), expected[0]), 1);
  EXPECT_EQ(std::count(rows.begin(), rows.end(), expected[1]), 1);
  EXPECT_EQ(keeper.rebuild(), 3);  // again: the same rows
  EXPECT_EQ(keeper.database()->count(), 4);
  EXPECT_TRUE(keeper.erase());
  EXPECT_EQ(keeper.database()->count(), 0);
}

TEST(RecordsSummary, CountsOpponentsStagesTrainingStreaksAndDays) {
  constexpr std::int64_t kDay = 86'400'000;
  const std::int64_t now = 1'800'000'000'000;
  std::vector<RoundRow> rows = {
      {now - 40 * kDay, PlayMode::Computer, 1, "person", "cpu:hard", 1, 5000, {}, {}, "a", 1, -1},
      {now - 2 * kDay, PlayMode::Computer, 1, "cpu:hard", "person", 2, 4000, {}, {}, "a", 2, -1},
      {now - 2 * kDay, PlayMode::Computer, 1, "person", "cpu:hard", 2, 3000, {}, {}, "a", 3, -1},
      {now - kDay, PlayMode::Network, 2, "peer:elna", "person", 2, 9000, {}, {}, "n", 1, 1},
      {now - kDay, PlayMode::Network, 2, "person", "peer:elna", 1, 8000, {}, {}, "m", 1, 0},
      {now - kDay, PlayMode::Local, 2, "person", "person", 2, 7000, {}, {}, "a", 4, -1},
      {now, PlayMode::Training, 3, "person", "", 1, 6000, 1600, 1500, "a", 5, -1},
      {now, PlayMode::Training, 3, "person", "", 1, 5500, 1550, 1500, "a", 6, -1},
      {now, PlayMode::Training, 3, "person", "", 0, 9000, 900, 1500, "a", 7, -1},
  };
  SummaryBuilder builder(now, 0);
  for (const RoundRow& r : rows) builder.add(r);
  const RecordsSummary s = builder.finish();
  EXPECT_EQ(s.rounds, 9);
  ASSERT_EQ(s.opponents.size(), 3u);
  EXPECT_EQ(s.opponents[0].opponent, "cpu:hard");
  EXPECT_EQ((std::array{s.opponents[0].rounds, s.opponents[0].wins, s.opponents[0].losses}), (std::array{3, 2, 1}));
  EXPECT_EQ(s.opponents[1].opponent, "peer:elna");
  EXPECT_EQ((std::array{s.opponents[1].rounds, s.opponents[1].wins}), (std::array{2, 2}));
  EXPECT_EQ(s.opponents[2].mode, PlayMode::Local);
  EXPECT_EQ(s.stages.at(1).wins, 2);
  EXPECT_EQ(s.stages.at(1).shortestWinMs, 4000);
  EXPECT_EQ(s.stages.at(2).rounds, 3);
  EXPECT_EQ(s.training.at(3).cleared, 2);
  EXPECT_EQ(s.training.at(3).bestScore, 1600);
  EXPECT_EQ(s.training.at(3).fastestClearMs, 5500);
  EXPECT_EQ(s.battleWins.longest, 2);  // won, won, lost, won, won; the local round is not counted in
  EXPECT_EQ(s.battleWins.current, 2);
  EXPECT_EQ(s.trainingClears.longest, 2);
  EXPECT_EQ(s.trainingClears.current, 0);
  EXPECT_EQ(s.days.back().training, 3);
  EXPECT_EQ(s.days[kChartDays - 2].battles, 3);
  EXPECT_EQ(s.days[kChartDays - 3].battles, 2);
  int counted = 0;
  for (const DayCount& d : s.days) counted += d.battles + d.training;
  EXPECT_EQ(counted, 8);  // the round 40 days ago is not in the chart
}

TEST(RecordsSummary, TheWindowsSummaryCountsEveryRowAndListsTheLatestFirst) {
  TempDir dir;
  std::ostringstream log;
  auto db = RecordsDatabase::open(dir.path / "records.sqlite", log);
  SummaryBuilder direct(1'800'000'000'000, 0);
  for (int n = 1; n <= 600; ++n) {
    db->add(row(n));
    direct.add(row(n));
  }
  const RecordsSummary read = summarize(*db, 1'800'000'000'000, 0);
  const RecordsSummary counted = direct.finish();
  EXPECT_EQ(read.rounds, 600);
  EXPECT_EQ(read.stages.size(), counted.stages.size());
  EXPECT_EQ(read.training.at(2).cleared, counted.training.at(2).cleared);
  EXPECT_EQ(read.battleWins.longest, counted.battleWins.longest);
  ASSERT_EQ(read.latest.size(), static_cast<std::size_t>(RecordsSummary::kLatestRounds));
  EXPECT_EQ(read.latest.front(), row(600));
  EXPECT_EQ(read.latest.back(), row(101));
}

}  // namespace
}  // namespace glamora::records
