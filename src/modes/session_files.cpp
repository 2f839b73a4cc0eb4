#include "session_files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace glamora {

namespace fs = std::filesystem;

std::vector<fs::path> keptSessions(const fs::path& directory) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->path().extension() == kSessionSuffix && it->is_regular_file(ec)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) { return a.filename() > b.filename(); });
  return files;
}

void pruneSessions(const fs::path& directory, int keep) {
  const std::vector<fs::path> files = keptSessions(directory);
  std::error_code ec;
  for (std::size_t i = static_cast<std::size_t>(std::max(keep, 0)); i < files.size(); ++i) fs::remove(files[i], ec);
}

std::unique_ptr<JournalFile> JournalFile::create(const fs::path& directory, const std::string& stamp,
                                                 std::string& error) {
  std::error_code ec;
  fs::create_directories(directory, ec);
  if (ec) {
    error = directory.string() + ": " + ec.message();
    return nullptr;
  }
  pruneSessions(directory, kKeptSessions - 1);
  // Two runs started in the same second get distinct names.
  fs::path path = directory / (stamp + kSessionSuffix);
  for (int n = 2; fs::exists(path, ec); ++n) path = directory / (stamp + "_" + std::to_string(n) + kSessionSuffix);
  std::FILE* file = std::fopen(path.c_str(), "wbx");
  if (!file) {
    error = path.string() + ": " + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<JournalFile>(new JournalFile(file, path));
}

JournalFile::~JournalFile() {
  if (file_) std::fclose(file_);
}

bool JournalFile::write(std::string_view text) {
  if (!file_) return false;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fflush(file_) != 0) {
    error_ = path_.string() + ": " + std::strerror(errno);
    std::fclose(file_);
    file_ = nullptr;
    return false;
  }
  return true;
}

}  // namespace glamora
