// The lobby's public rooms while the join window is open: the whole list
// asked for at once and again every 2 s, from a socket of its own, and
// shown as the window's list, or why it could not be had.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/datagram_socket.h"
#include "net/room_list.h"

namespace glamora::netgame {

class PublicRooms final : public QObject {
 public:
  static constexpr int kRefreshMs = 2000;

  // `show` gets each list once complete, or the error ("" when none).
  using Show = std::function<void(const std::vector<lobby::RoomEntry>& rooms, const std::string& error)>;
  PublicRooms(const lobby::Endpoint& lobby, std::string lobbyName, const std::string& bindAddress, Show show);

 private:
  std::int64_t nowUs() const { return clock_.nsecsElapsed() / 1000; }
  void refresh();
  void read();
  void service();
  void finish();

  lobby::Endpoint lobby_;
  std::string lobbyName_;
  Show show_;
  std::unique_ptr<netio::DatagramSocket> socket_;
  std::unique_ptr<QSocketNotifier> ready_;
  std::optional<netio::RoomList> list_;  // the list being read
  QTimer refresh_;
  QTimer service_;
  QElapsedTimer clock_;
};

}  // namespace glamora::netgame
