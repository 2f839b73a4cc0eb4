#include "records_command.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/replay.h"
#include "records/records_json.h"
#include "records/script_records.h"

namespace glamora::sim {

int runRecordsCommand(int argc, char** argv, std::ostream& out, std::ostream& err) {
  if (argc < 2 || std::string_view(argv[1]) != "--records") return -1;
  int first = 2;
  const bool withRows = argc > 2 && std::string_view(argv[2]) == "--rows";
  if (withRows) ++first;
  if (first >= argc) {
    err << "usage: glamora-sim --records [--rows] FILE...\n";
    return 2;
  }
  // Each file is played on a session of its own, so the files are shared out
  // among the processor's threads; their rows and complaints keep the files' order.
  const int files = argc - first;
  std::vector<std::vector<records::RoundRow>> rowsOf(static_cast<std::size_t>(files));
  std::vector<std::string> complaints(static_cast<std::size_t>(files));
  std::atomic<int> next = 0;
  const auto work = [&] {
    for (int k = next++; k < files; k = next++) {
      const char* path = argv[first + k];
      errno = 0;
      std::ifstream file(path, std::ios::binary);
      std::ostringstream text;
      if (!file || !(text << file.rdbuf())) {
        complaints[k] = std::string("cannot read ") + path + ": " + std::strerror(errno ? errno : EIO);
        continue;
      }
      std::vector<records::RoundRow>& rows = rowsOf[k];
      records::ScriptRecords script(std::filesystem::path(path).filename().string(),
                                    [&rows](const records::RoundRow& row) { rows.push_back(row); });
      for (const std::string& line : splitLines(text.str())) {
        if (script.line(line)) continue;
        complaints[k] = std::string(path) + ": " + *script.badLine();
        break;
      }
    }
  };
  std::vector<std::thread> threads(std::max(1u, std::min(std::thread::hardware_concurrency(), 16u)) - 1);
  for (std::thread& t : threads) t = std::thread(work);
  work();
  for (std::thread& t : threads) t.join();
  int status = 0;
  std::vector<records::RoundRow> rows;
  for (int k = 0; k < files; ++k) {
    if (!complaints[k].empty()) {
      err << "glamora-sim: " << complaints[k] << "\n";
      status = 1;
    }
    rows.insert(rows.end(), rowsOf[k].begin(), rowsOf[k].end());
  }
  out << records::recordsJson(rows, files, withRows) << "\n";
  return status;
}

}  // namespace glamora::sim
