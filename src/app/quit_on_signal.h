// SIGINT, SIGTERM and SIGHUP end the program through its event loop, as
// closing the title screen does, so that the session journal notes the round
// still running. Installed once; later calls do nothing.
#pragma once

namespace glamora {

void quitOnTerminationSignals();

}  // namespace glamora
