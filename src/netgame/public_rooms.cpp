#include "public_rooms.h"

namespace glamora::netgame {

namespace {

// Retries go out every 500 ms; a page waited for is checked this often.
constexpr int kServiceMs = 100;

}  // namespace

PublicRooms::PublicRooms(const lobby::Endpoint& lobby, std::string lobbyName, const std::string& bindAddress, Show show)
    : lobby_(lobby), lobbyName_(std::move(lobbyName)), show_(std::move(show)) {
  clock_.start();
  std::string error;
  socket_ = netio::DatagramSocket::open(bindAddress, error);
  if (!socket_) {
    show_({}, error);
    return;
  }
  ready_ = std::make_unique<QSocketNotifier>(socket_->socket(), QSocketNotifier::Read);
  connect(ready_.get(), &QSocketNotifier::activated, this, &PublicRooms::read);
  refresh_.setInterval(kRefreshMs);
  connect(&refresh_, &QTimer::timeout, this, &PublicRooms::refresh);
  service_.setInterval(kServiceMs);
  connect(&service_, &QTimer::timeout, this, &PublicRooms::service);
  refresh_.start();
  refresh();
}

// A list still being read (a slow lobby) is read to its end first.
void PublicRooms::refresh() {
  if (list_) return;
  list_.emplace(
      lobby_, lobbyName_,
      [this](const lobby::Endpoint& to, std::span<const std::uint8_t> datagram) { socket_->send(to, datagram); },
      nowUs());
  service_.start();
}

void PublicRooms::read() {
  for (const netio::DatagramSocket::Arrived& a : socket_->read()) {
    if (list_ && a.from == lobby_) list_->receive(a.bytes, nowUs());
  }
  finish();
}

void PublicRooms::service() {
  if (list_) list_->service(nowUs());
  finish();
}

void PublicRooms::finish() {
  if (!list_ || !list_->done()) return;
  const std::vector<lobby::RoomEntry> rooms = list_->rooms();
  const std::string error = list_->error();
  list_.reset();
  service_.stop();
  show_(rooms, error);
}

}  // namespace glamora::netgame
