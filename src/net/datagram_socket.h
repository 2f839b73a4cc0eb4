// A UDP socket of its own that never blocks, bound to any port of one
// address: the join window asks the lobby for its list from one, apart from
// the battle's socket, which exists only once a room is chosen.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <enet/enet.h>

#include "lobby/lobby_wire.h"

namespace glamora::netio {

class DatagramSocket {
 public:
  // Null, with the reason in `error`, when the socket cannot be opened.
  static std::unique_ptr<DatagramSocket> open(const std::string& bindAddress, std::string& error);
  ~DatagramSocket();
  DatagramSocket(const DatagramSocket&) = delete;
  DatagramSocket& operator=(const DatagramSocket&) = delete;

  int socket() const { return static_cast<int>(socket_); }
  void send(const lobby::Endpoint& to, std::span<const std::uint8_t> datagram);
  struct Arrived {
    lobby::Endpoint from;
    std::vector<std::uint8_t> bytes;
  };
  // What has arrived, at most a bounded number of datagrams at once.
  std::vector<Arrived> read();

 private:
  explicit DatagramSocket(ENetSocket socket) : socket_(socket) {}
  ENetSocket socket_;
};

}  // namespace glamora::netio
