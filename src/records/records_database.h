// The records database: one row per finished round, in SQLite beside the
// kept sessions ("records.sqlite"). Written through SQLite's C API rather
// than Qt SQL: the library stays free of Qt, so glamora-sim, the tests and
// the sanitizer build use it as the game does, no driver plugin is loaded at
// start-up, and the write-ahead log, the schema version (PRAGMA user_version)
// and the prepared statements are in plain view.
//
// In write-ahead-log mode with synchronous=NORMAL a row is in the log when
// its transaction commits; a crash of the program loses nothing committed, a
// power cut at most the rows committed since the log's last sync (the last
// round or so), never the database.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "round_row.h"

struct sqlite3;
struct sqlite3_stmt;

namespace glamora::records {

inline constexpr const char* kRecordsFileName = "records.sqlite";
// The schema this program writes; older files are brought up to it.
inline constexpr int kSchemaVersion = 2;

class RecordsDatabase {
 public:
  // Opens the database at `path`, creating it (and its directory) when
  // missing and bringing an older schema up to date. A file that cannot be
  // opened or is damaged is moved aside ("records.sqlite.damaged-1702234567")
  // with one line on `log`, and a fresh one is started. Null only when not
  // even a fresh one can be made (or the file is of a newer program, which is
  // left alone), said in one line too.
  static std::unique_ptr<RecordsDatabase> open(const std::filesystem::path& path, std::ostream& log);
  ~RecordsDatabase();
  RecordsDatabase(const RecordsDatabase&) = delete;
  RecordsDatabase& operator=(const RecordsDatabase&) = delete;

  // One round, in a transaction of its own. A row of the same session file
  // and round number is replaced. False when the write failed.
  bool add(const RoundRow& row);
  // The rows of `files` are replaced by `rows` (those files' rounds as their
  // journals play now), in one transaction; rows of other files stay.
  bool replaceFiles(const std::vector<std::string>& files, const std::vector<RoundRow>& rows);
  bool eraseAll();
  // Every row, oldest first; without where they came from (session file,
  // round) when `withSources` is false, which is quicker.
  void forEachRow(const std::function<void(const RoundRow&)>& f, bool withSources = true) const;
  // The newest `n` rows, newest first.
  std::vector<RoundRow> latest(int n) const;
  std::vector<RoundRow> rows() const;
  int count() const;
  int schemaVersion() const;
  const std::filesystem::path& path() const { return path_; }

 private:
  RecordsDatabase(sqlite3* db, std::filesystem::path path) : db_(db), path_(std::move(path)) {}
  bool prepare();
  bool execute(const char* sql) const;
  bool insert(const RoundRow& row);
  void select(const std::string& sql, const std::function<void(const RoundRow&)>& f) const;

  sqlite3* db_;
  std::filesystem::path path_;
  sqlite3_stmt* insert_ = nullptr;
};

// Brings an open database up to kSchemaVersion, step by step from the version
// it has. Returns false (leaving it as it was) on failure or a newer version.
bool migrate(sqlite3* db, int& versionFound);
// The first schema's table, for the migration's tests.
extern const char* const kFirstSchema;

}  // namespace glamora::records
