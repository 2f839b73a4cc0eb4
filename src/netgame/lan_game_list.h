// The games found on the local network while the join window is open: a
// probe every second to the broadcast addresses (or the targets given), the
// answers kept for 3.5 s, shown as the window's list.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "join_window.h"
#include "net/lan_discovery.h"

namespace glamora::netgame {

class LanGameList final : public QObject {
 public:
  // Probes leave from `findFrom` for `targets` (empty: the broadcast
  // addresses of this machine's networks) on `port`; `show` gets the list
  // whenever it changes.
  LanGameList(const std::string& findFrom, std::vector<std::string> targets, std::uint16_t port,
              std::function<void(const std::vector<FoundLine>&)> show);

 private:
  struct Found {
    netio::GameAnswer answer;
    std::int64_t seenUs = 0;
  };
  void probe();
  void read();
  void show();

  std::vector<std::string> targets_;
  std::uint16_t port_;
  std::function<void(const std::vector<FoundLine>&)> show_;
  std::unique_ptr<netio::GameFinder> finder_;
  std::unique_ptr<QSocketNotifier> ready_;
  QTimer probe_;
  QElapsedTimer clock_;
  std::map<std::string, Found> found_;  // by "address:port"
};

}  // namespace glamora::netgame
