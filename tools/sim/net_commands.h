// glamora-sim's network battle commands:
//   --net-host PORT [--bind ADDR] --cpu LEVEL --rounds N --seed S [--speed X] [--wait S] [--journal FILE]
//              [--net-key TEXT]
//   --net-join HOST:PORT --cpu LEVEL [--seed S] [--speed X] [--journal FILE] [--net-key TEXT]
//   --net-sim --cpu A B --delay MS --jitter MS --loss PCT [--burst N] --rounds N --seed S
//   --hash SCRIPT
#pragma once

#include <ostream>

namespace glamora::sim {

// Runs the command if argv[1] names one of them: the exit status (0; 2 on
// bad arguments; 3 on a refused handshake, a timeout or a desync), or -1
// when it names none.
int runNetCommand(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace glamora::sim
