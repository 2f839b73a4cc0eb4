// SIGINT and SIGTERM end the program through its event loop, as closing the
// title screen does, so that the session journal is written out.
#pragma once

namespace glamora {

void quitOnTerminationSignals();

}  // namespace glamora
