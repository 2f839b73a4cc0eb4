// glamora-sim --records [--rows] FILE...: the records of the finished rounds
// of session files, as the game derives them, in one JSON object.
#pragma once

#include <ostream>

namespace glamora::sim {

// -1 when the arguments are not --records; otherwise the exit status (1 when a
// file could not be read or has a bad line, whose rounds before it count).
int runRecordsCommand(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace glamora::sim
