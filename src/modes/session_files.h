// The kept session journals: one file a run in the sessions directory, named
// by its start time so that names sort oldest first; the newest 100 are kept.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/journal.h"

namespace glamora {

inline constexpr int kKeptSessions = 100;
inline constexpr const char* kSessionSuffix = ".session";
inline constexpr std::uintmax_t kMaxSessionFileBytes = 64u << 20;

// Reads a kept session file: refuses anything that is not a regular file, or larger than 64 MiB, before reading (no blocking on a FIFO: open with O_NONBLOCK or stat first). Empty optional and a readable reason on failure.
std::optional<std::string> readSessionFile(const std::filesystem::path& path, std::string& error);

// The session files in `directory`, newest first.
std::vector<std::filesystem::path> keptSessions(const std::filesystem::path& directory);

// Removes the oldest files so that at most `keep` remain.
void pruneSessions(const std::filesystem::path& directory, int keep);

// A journal file being written. write() appends and flushes; false on any
// failure (a full disk, a vanished directory).
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
  JournalFile(std::FILE* file, std::filesystem::path path) : file_(file), path_(std::move(path)) {}
  std::FILE* file_;
  std::filesystem::path path_;
  std::string error_;
};

}  // namespace glamora
