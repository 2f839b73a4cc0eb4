// The game's records: the database beside the kept sessions, opened when
// first needed, the rows of the game's own rounds as their result dialogs
// open, those of its network battles as their files are written, the rebuild
// from the kept session files and the erasing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "records_database.h"
#include "round_recorder.h"
#include "script_records.h"

namespace glamora::records {

class RecordsKeeper {
 public:
  // `sessionsDirectory` is where the session files are; the database is
  // beside it ("records.sqlite" in its parent). Empty: no records.
  RecordsKeeper(const std::filesystem::path& sessionsDirectory, std::ostream& log);
  ~RecordsKeeper();

  // The game's own session, journalled as `sessionFile` (its name) from
  // `started` (the journal's first line's time).
  void watch(Session& session, const std::string& sessionFile, std::string_view started);
  // A network battle's session file being written: its lines go to the
  // result, and advanceTo() each confirmed tick's time, so that a round's row
  // is written as its result dialog opens.
  std::unique_ptr<ScriptRecords> follow(const std::string& sessionFile);

  // The rows of every session file still kept, replacing their earlier rows
  // (rows of pruned files stay). The number of rounds found; -1 when the
  // database could not be written.
  int rebuild();
  bool erase();

  // Opens the database on first use; null when records are off.
  RecordsDatabase* database();
  const std::filesystem::path& databasePath() const { return databasePath_; }
  const std::filesystem::path& sessionsDirectory() const { return sessionsDirectory_; }

 private:
  void write(const RoundRow& row);

  std::filesystem::path sessionsDirectory_;
  std::filesystem::path databasePath_;
  std::ostream& log_;
  std::unique_ptr<RecordsDatabase> database_;
  bool opened_ = false;
  std::unique_ptr<RoundRecorder> recorder_;
};

}  // namespace glamora::records
