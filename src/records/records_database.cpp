#include "records_database.h"

#include <sqlite3.h>

#include <array>
#include <chrono>
#include <system_error>

namespace glamora::records {

const char* const kFirstSchema =
    "CREATE TABLE rounds("
    " id INTEGER PRIMARY KEY,"
    " ended_at INTEGER NOT NULL,"
    " mode TEXT NOT NULL,"
    " stage INTEGER NOT NULL,"
    " side1 TEXT NOT NULL,"
    " side2 TEXT NOT NULL,"
    " winner INTEGER NOT NULL,"
    " length_ms INTEGER NOT NULL,"
    " score INTEGER,"
    " target INTEGER,"
    " session_file TEXT NOT NULL,"
    " round INTEGER NOT NULL,"
    " UNIQUE(session_file, round));";

namespace {

// Each step takes the schema from version k to k + 1.
const std::array<const char*, kSchemaVersion> kMigrations = {
    kFirstSchema,
    // 2: which side this machine played in a network battle (the first
    // schema's network rows had this machine on the "person" side), and the
    // rows in the order they ended without a sort.
    "ALTER TABLE rounds ADD COLUMN local_player INTEGER NOT NULL DEFAULT -1;"
    "UPDATE rounds SET local_player = CASE WHEN side1 = 'person' THEN 0 ELSE 1 END WHERE mode = 'network';"
    "CREATE INDEX rounds_by_time ON rounds(ended_at);",
};

constexpr const char* kColumns =
    "ended_at, mode, stage, side1, side2, winner, length_ms, score, target, session_file, round, local_player";

int userVersion(sqlite3* db) {
  sqlite3_stmt* statement = nullptr;
  int version = -1;
  if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &statement, nullptr) == SQLITE_OK &&
      sqlite3_step(statement) == SQLITE_ROW)
    version = sqlite3_column_int(statement, 0);
  sqlite3_finalize(statement);
  return version;
}

bool run(sqlite3* db, const std::string& sql) {
  return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Whether the file reads whole: its header, its pages, its schema.
bool healthy(sqlite3* db) {
  sqlite3_stmt* statement = nullptr;
  bool ok = sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW &&
            std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))) == "ok";
  sqlite3_finalize(statement);
  return ok;
}

sqlite3* openFile(const std::filesystem::path& path) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return nullptr;
  }
  sqlite3_busy_timeout(db, 2000);
  return db;
}

void bindText(sqlite3_stmt* s, int k, const std::string& text) {
  sqlite3_bind_text(s, k, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// Moves the file and its log aside under one name; false when it stays.
bool moveAside(const std::filesystem::path& path, std::filesystem::path& aside) {
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
  aside = path;
  aside += ".damaged-" + std::to_string(seconds);
  std::error_code error;
  std::filesystem::rename(path, aside, error);
  if (error) return false;
  for (const char* suffix : {"-wal", "-shm"}) {
    std::filesystem::path side = path, sideAside = aside;
    side += suffix;
    sideAside += suffix;
    std::filesystem::rename(side, sideAside, error);
  }
  return true;
}

}  // namespace

bool migrate(sqlite3* db, int& versionFound) {
  versionFound = userVersion(db);
  if (versionFound < 0 || versionFound > kSchemaVersion) return false;
  if (versionFound == kSchemaVersion) return true;
  if (!run(db, "BEGIN IMMEDIATE")) return false;
  for (int v = versionFound; v < kSchemaVersion; ++v) {
    if (!run(db, kMigrations[v])) {
      run(db, "ROLLBACK");
      return false;
    }
  }
  if (!run(db, "PRAGMA user_version = " + std::to_string(kSchemaVersion)) || !run(db, "COMMIT")) {
    run(db, "ROLLBACK");
    return false;
  }
  return true;
}

std::unique_ptr<RecordsDatabase> RecordsDatabase::open(const std::filesystem::path& path, std::ostream& log) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  for (int attempt = 0; attempt < 2; ++attempt) {
    sqlite3* db = openFile(path);
    int version = -1;
    // WAL first: a file that is not a database fails here already.
    const bool opened = db && run(db, "PRAGMA journal_mode=WAL") && run(db, "PRAGMA synchronous=NORMAL") && healthy(db);
    const bool migrated = opened && migrate(db, version);
    if (migrated) {
      std::unique_ptr<RecordsDatabase> records(new RecordsDatabase(db, path));
      // The check read every page into the cache: it is let go until the window reads them.
      sqlite3_db_release_memory(db);
      if (records->prepare()) return records;
    } else {
      sqlite3_close(db);
    }
    if (opened && version > kSchemaVersion) {
      log << "glamora: records off: " << path.string() << " is of a newer version (" << version << ")\n";
      return nullptr;
    }
    if (attempt == 1) break;
    std::filesystem::path aside;
    if (!std::filesystem::exists(path, error) || !moveAside(path, aside)) break;
    log << "glamora: records database " << path.string() << " could not be read; moved to " << aside.string()
        << " and started again\n";
  }
  log << "glamora: records off: cannot open " << path.string() << "\n";
  return nullptr;
}

RecordsDatabase::~RecordsDatabase() {
  sqlite3_finalize(insert_);
  sqlite3_close(db_);
}

bool RecordsDatabase::prepare() {
  const std::string sql =
      std::string("INSERT OR REPLACE INTO rounds(") + kColumns + ") VALUES(?,?,?,?,?,?,?,?,?,?,?,?)";
  return sqlite3_prepare_v2(db_, sql.c_str(), -1, &insert_, nullptr) == SQLITE_OK;
}

bool RecordsDatabase::execute(const char* sql) const { return run(db_, sql); }

bool RecordsDatabase::insert(const RoundRow& row) {
  sqlite3_reset(insert_);
  sqlite3_bind_int64(insert_, 1, row.endedAt);
  sqlite3_bind_text(insert_, 2, playModeName(row.mode), -1, SQLITE_STATIC);
  sqlite3_bind_int(insert_, 3, row.stage);
  bindText(insert_, 4, row.side1);
  bindText(insert_, 5, row.side2);
  sqlite3_bind_int(insert_, 6, row.winner);
  sqlite3_bind_int64(insert_, 7, row.lengthMs);
  if (row.score) sqlite3_bind_int(insert_, 8, *row.score);
  else sqlite3_bind_null(insert_, 8);
  if (row.target) sqlite3_bind_int(insert_, 9, *row.target);
  else sqlite3_bind_null(insert_, 9);
  bindText(insert_, 10, row.sessionFile);
  sqlite3_bind_int(insert_, 11, row.round);
  sqlite3_bind_int(insert_, 12, row.localPlayer);
  const bool ok = sqlite3_step(insert_) == SQLITE_DONE;
  sqlite3_reset(insert_);
  return ok;
}

bool RecordsDatabase::add(const RoundRow& row) { return insert(row); }  // one statement is one transaction

bool RecordsDatabase::replaceFiles(const std::vector<std::string>& files, const std::vector<RoundRow>& rows) {
  if (!execute("BEGIN IMMEDIATE")) return false;
  sqlite3_stmt* remove = nullptr;
  bool ok = sqlite3_prepare_v2(db_, "DELETE FROM rounds WHERE session_file = ?", -1, &remove, nullptr) == SQLITE_OK;
  for (std::size_t k = 0; ok && k < files.size(); ++k) {
    sqlite3_reset(remove);
    bindText(remove, 1, files[k]);
    ok = sqlite3_step(remove) == SQLITE_DONE;
  }
  sqlite3_finalize(remove);
  for (std::size_t k = 0; ok && k < rows.size(); ++k) ok = insert(rows[k]);
  if (ok && execute("COMMIT")) return true;
  execute("ROLLBACK");
  return false;
}

bool RecordsDatabase::eraseAll() { return execute("DELETE FROM rounds"); }

void RecordsDatabase::forEachRow(const std::function<void(const RoundRow&)>& f, bool withSources) const {
  // The same columns either way; the file's name is left out as a NULL.
  const char* columns = withSources ? kColumns
                                    : "ended_at, mode, stage, side1, side2, winner, length_ms, score, target, NULL, 0,"
                                      " local_player";
  select(std::string("SELECT ") + columns + " FROM rounds ORDER BY ended_at, id", f);
}

std::vector<RoundRow> RecordsDatabase::latest(int n) const {
  std::vector<RoundRow> rows;
  select(std::string("SELECT ") + kColumns + " FROM rounds ORDER BY ended_at DESC, id DESC LIMIT " + std::to_string(n),
         [&rows](const RoundRow& row) { rows.push_back(row); });
  return rows;
}

void RecordsDatabase::select(const std::string& sql, const std::function<void(const RoundRow&)>& f) const {
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) return;
  RoundRow row;
  const auto text = [s](int k) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, k));
    return p ? std::string_view(p, static_cast<std::size_t>(sqlite3_column_bytes(s, k))) : std::string_view();
  };
  while (sqlite3_step(s) == SQLITE_ROW) {
    row.endedAt = sqlite3_column_int64(s, 0);
    row.mode = playModeFromName(text(1)).value_or(PlayMode::Local);
    row.stage = sqlite3_column_int(s, 2);
    row.side1 = text(3);
    row.side2 = text(4);
    row.winner = sqlite3_column_int(s, 5);
    row.lengthMs = sqlite3_column_int64(s, 6);
    row.score = sqlite3_column_type(s, 7) == SQLITE_NULL ? std::nullopt : std::optional(sqlite3_column_int(s, 7));
    row.target = sqlite3_column_type(s, 8) == SQLITE_NULL ? std::nullopt : std::optional(sqlite3_column_int(s, 8));
    row.sessionFile = text(9);
    row.round = sqlite3_column_int(s, 10);
    row.localPlayer = sqlite3_column_int(s, 11);
    f(row);
  }
  sqlite3_finalize(s);
}

std::vector<RoundRow> RecordsDatabase::rows() const {
  std::vector<RoundRow> all;
  forEachRow([&all](const RoundRow& row) { all.push_back(row); });
  return all;
}

int RecordsDatabase::count() const {
  sqlite3_stmt* s = nullptr;
  int n = -1;
  if (sqlite3_prepare_v2(db_, "SELECT COUNT(*) FROM rounds", -1, &s, nullptr) == SQLITE_OK &&
      sqlite3_step(s) == SQLITE_ROW)
    n = sqlite3_column_int(s, 0);
  sqlite3_finalize(s);
  return n;
}

int RecordsDatabase::schemaVersion() const { return userVersion(db_); }

}  // namespace glamora::records
