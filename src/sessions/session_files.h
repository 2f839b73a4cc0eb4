// The kept session journals: one file a run in the sessions directory, named
// by its start time ("20261207-210411.session"); the newest 100 by their
// modification times are kept. Other files in the directory are left alone.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/journal.h"
#include "engine/message.h"

namespace glamora {

inline constexpr int kKeptSessions = 100;
inline constexpr const char* kSessionSuffix = ".session";
inline constexpr std::uintmax_t kMaxSessionFileBytes = 64u << 20;

// Reads a kept session file: refuses anything that is not a regular file, or larger than 64 MiB, before reading (no
// blocking on a FIFO: open with O_NONBLOCK or stat first). Empty optional and a reason for a window on failure: the
// path as printableText() and a Japanese reason.
std::optional<std::string> readSessionFile(const std::filesystem::path& path, Message& error);

// Whether `filename` is one the game gives its journals:
// "20261207-210411.session", or "20261207-210411_2.session" for a second run
// started in the same second.
bool isJournalName(const std::string& filename);

// The session files in `directory` (every regular "*.session" file but hidden
// ones), newest first by modification time.
std::vector<std::filesystem::path> keptSessions(const std::filesystem::path& directory);

// Removes the game's own journals (isJournalName), oldest first by
// modification time, until at most `keep` remain. The newest one always
// stays, whatever the clock said when the files were written: pruned before a
// run creates its own file, it is the previous run's.
void pruneSessions(const std::filesystem::path& directory, int keep);

// A journal file being written. write() appends at once, each text in whole;
// false on any failure (a full disk, a vanished directory), after which the
// file is cut back to its last whole text and nothing more is written.
class JournalFile final : public JournalSink {
 public:
  // Creates the directory if needed and a new file named after `stamp`
  // ("20261207-210411"), after pruning to leave room for it. Null on failure,
  // with the reason in `error`.
  static std::unique_ptr<JournalFile> create(const std::filesystem::path& directory, const std::string& stamp,
                                             std::string& error);
  ~JournalFile() override;
  bool write(std::string_view text) override;
  const std::filesystem::path& path() const { return path_; }
  const std::string& error() const { return error_; }

 private:
  JournalFile(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
  int fd_;
  std::filesystem::path path_;
  std::uintmax_t written_ = 0;
  std::string error_;
};

}  // namespace glamora
