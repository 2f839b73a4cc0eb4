#include "records_keeper.h"

#include "engine/replay.h"
#include "sessions/session_files.h"

namespace glamora::records {

RecordsKeeper::RecordsKeeper(const std::filesystem::path& sessionsDirectory, std::ostream& log)
    : sessionsDirectory_(sessionsDirectory), log_(log) {
  if (!sessionsDirectory.empty()) databasePath_ = sessionsDirectory.parent_path() / kRecordsFileName;
}

RecordsKeeper::~RecordsKeeper() = default;

RecordsDatabase* RecordsKeeper::database() {
  if (!opened_ && !databasePath_.empty()) database_ = RecordsDatabase::open(databasePath_, log_);
  opened_ = true;
  return database_.get();
}

void RecordsKeeper::write(const RoundRow& row) {
  if (RecordsDatabase* db = database(); db && !db->add(row))
    log_ << "glamora: records: a round could not be written to " << databasePath_.string() << "\n";
}

void RecordsKeeper::watch(Session& session, const std::string& sessionFile, std::string_view started) {
  recorder_ = std::make_unique<RoundRecorder>(session, sessionFile, [this](const RoundRow& row) { write(row); });
  recorder_->setStarted(started);
}

std::unique_ptr<ScriptRecords> RecordsKeeper::follow(const std::string& sessionFile) {
  return std::make_unique<ScriptRecords>(sessionFile, [this](const RoundRow& row) { write(row); });
}

int RecordsKeeper::rebuild() {
  RecordsDatabase* db = database();
  if (!db) return -1;
  std::vector<std::string> files;
  std::vector<RoundRow> rows;
  for (const std::filesystem::path& path : keptSessions(sessionsDirectory_)) {
    Message error;
    const std::optional<std::string> text = readSessionFile(path, error);
    if (!text) continue;
    files.push_back(path.filename().string());
    std::vector<RoundRow> found = rowsOfScript(*text, files.back());
    rows.insert(rows.end(), found.begin(), found.end());
  }
  return db->replaceFiles(files, rows) ? static_cast<int>(rows.size()) : -1;
}

bool RecordsKeeper::erase() {
  RecordsDatabase* db = database();
  return db && db->eraseAll();
}

}  // namespace glamora::records
