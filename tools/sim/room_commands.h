// glamora-sim's commands that go through the lobby:
//   --net-host-room LOBBY[:PORT] [--public] [--name NAME] --cpu LEVEL --rounds N --seed S [--speed X] [--wait S]
//                   [--journal FILE] [--net-key TEXT]
//   --net-join-room LOBBY[:PORT] CODE --cpu LEVEL [--seed S] [--speed X] [--journal FILE] [--net-key TEXT]
//   --lobby-list LOBBY[:PORT]
#pragma once

#include <ostream>

namespace glamora::sim {

// Runs the command if argv[1] names one of them: the exit status (0; 2 on
// bad arguments; 3 when the lobby cannot be reached or refuses, or the
// battle fails), or -1 when it names none.
int runRoomCommand(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace glamora::sim
