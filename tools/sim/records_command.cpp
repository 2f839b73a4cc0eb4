#include "records_command.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
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
  int status = 0;
  std::vector<records::RoundRow> rows;
  for (int k = first; k < argc; ++k) {
    errno = 0;
    std::ifstream file(argv[k], std::ios::binary);
    std::ostringstream text;
    if (!file || !(text << file.rdbuf())) {
      err << "glamora-sim: cannot read " << argv[k] << ": " << std::strerror(errno ? errno : EIO) << "\n";
      status = 1;
      continue;
    }
    const std::string name = std::filesystem::path(argv[k]).filename().string();
    records::ScriptRecords script(name, [&rows](const records::RoundRow& row) { rows.push_back(row); });
    for (const std::string& line : splitLines(text.str())) {
      if (script.line(line)) continue;
      err << "glamora-sim: " << argv[k] << ": " << *script.badLine() << "\n";
      status = 1;
      break;
    }
  }
  out << records::recordsJson(rows, argc - first, withRows) << "\n";
  return status;
}

}  // namespace glamora::sim
