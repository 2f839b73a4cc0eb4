// A name looked up for a window without blocking its event loop: the answer
// comes back on the event loop. A lookup given up runs on until the system's
// call returns, kept here so that giving it up never waits; the last ones
// end with this object.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/this_machine.h"

namespace glamora::netgame {

class PendingLookup final : public QObject {
 public:
  PendingLookup();
  // Looks `name` up, giving up the lookup before; `found` gets its first
  // IPv4 address, "" when it has none. A dotted address is found at once.
  void start(const std::string& name, std::function<void(const std::string& address)> found);
  void giveUp();

 private:
  void check();

  std::unique_ptr<netio::NameLookup> lookup_;
  std::vector<std::unique_ptr<netio::NameLookup>> givenUp_;
  std::function<void(const std::string&)> found_;
  QTimer poll_;
};

}  // namespace glamora::netgame
