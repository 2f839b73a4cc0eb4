// The records: writing a round's row, opening the records window over
// 100,000 rounds (offscreen, with its chart), and the records of 1,000
// session files as glamora-sim --records derives them.
#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "engine/replay.h"
#include "records/records_keeper.h"
#include "records/script_records.h"
#include "records_window/records_window.h"

namespace glamora::records {
namespace {

namespace fs = std::filesystem;

RoundRow sampleRow(int n, std::int64_t nowMs) {
  const char* const opponents[] = {"cpu:easy", "cpu:normal", "cpu:hard", "peer:elna-pc", "person"};
  const PlayMode modes[] = {PlayMode::Computer, PlayMode::Computer, PlayMode::Computer, PlayMode::Network,
                            PlayMode::Local};
  RoundRow row{nowMs - std::int64_t{100'000 - n} * 40'000,
               modes[n % 5],
               n % 15 + 1,
               "person",
               opponents[n % 5],
               n % 3 == 0 ? 2 : 1,
               20'000 + n % 50'000,
               {},
               {},
               "20261201-120000.session",
               n,
               n % 5 == 3 ? 0 : -1};
  if (n % 4 == 0)
    row = {row.endedAt,  PlayMode::Training, n % 14 + 1, "person",        "", n % 3 ? 1 : 0,
           row.lengthMs, 1400 + n % 300,     1500,       row.sessionFile, n,  -1};
  return row;
}

// A sessions directory whose database holds `rounds` rows.
struct FilledRecords {
  QTemporaryDir dir;
  std::unique_ptr<RecordsKeeper> keeper;
  explicit FilledRecords(int rounds) {
    keeper = std::make_unique<RecordsKeeper>(dir.path().toStdString() + "/sessions", std::cerr);
    std::vector<RoundRow> rows;
    const std::int64_t now = QDateTime::currentMSecsSinceEpoch();
    for (int n = 1; n <= rounds; ++n) rows.push_back(sampleRow(n, now));
    keeper->database()->replaceFiles({}, rows);
  }
};

void BM_WriteRoundRow(benchmark::State& state) {
  FilledRecords records(1000);
  RecordsDatabase& db = *records.keeper->database();
  int n = 1'000'000;
  for (auto _ : state) benchmark::DoNotOptimize(db.add(sampleRow(++n, 1'800'000'000'000)));
}
BENCHMARK(BM_WriteRoundRow)->Unit(benchmark::kMillisecond);

// Opening the database as the game does after its title shows: the check of every page included.
void BM_OpenDatabaseOf100000Rounds(benchmark::State& state) {
  FilledRecords records(100'000);
  const fs::path path = records.keeper->databasePath();
  for (auto _ : state) benchmark::DoNotOptimize(RecordsDatabase::open(path, std::cerr));
}
BENCHMARK(BM_OpenDatabaseOf100000Rounds)->Unit(benchmark::kMillisecond)->Iterations(5);

// The window's counting alone: the rows read and summed.
void BM_CountOver100000Rounds(benchmark::State& state) {
  FilledRecords records(100'000);
  for (auto _ : state) {
    benchmark::DoNotOptimize(summarize(*records.keeper->database(), QDateTime::currentMSecsSinceEpoch(), 0).rounds);
  }
}
BENCHMARK(BM_CountOver100000Rounds)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenWindowOver100000Rounds(benchmark::State& state) {
  qputenv("GLAMORA_RECORDS_CHART", GLAMORA_RECORDS_CHART_PATH);  // the chart's library as built
  FilledRecords records(100'000);
  for (auto _ : state) {
    RecordsWindow window(*records.keeper, {});
    window.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.summary().rounds);
    if (!window.hasChart()) state.SkipWithError("no chart library");
  }
}
BENCHMARK(BM_OpenWindowOver100000Rounds)->Unit(benchmark::kMillisecond)->Iterations(5);

// 1,000 journals of two computer rounds and a training round each, read and
// played as glamora-sim --records does.
void BM_RecordsOf1000SessionFiles(benchmark::State& state) {
  std::vector<std::string> scripts;
  for (int k = 0; k < 1000; ++k) {
    scripts.push_back("# Glamora 1.0 session 2026-12-07T21:04:11+09:00\ncpu 1 hard " + std::to_string(k) +
                      "\ncpu 2 normal " + std::to_string(k + 1) + "\nstage " + std::to_string(k % 14 + 1) +
                      "\nwait 900000\nstage 2\nwait 900000\nscreen training\ncpu 1 hard 3\nstage 1\nwait 900000\n");
  }
  std::size_t rows = 0;
  for (auto _ : state) {
    rows = 0;
    for (std::size_t k = 0; k < scripts.size(); ++k) rows += rowsOfScript(scripts[k], std::to_string(k)).size();
  }
  state.counters["rounds"] = static_cast<double>(rows);
}
BENCHMARK(BM_RecordsOf1000SessionFiles)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace glamora::records
