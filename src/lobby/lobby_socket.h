// glamora-lobby's one UDP socket: non-blocking, read and written in batches
// (recvmmsg, sendmmsg) so that relaying costs few system calls.
#pragma once

#include <netinet/in.h>
#include <sys/socket.h>

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "lobby_server.h"

namespace glamora::lobby {

class LobbySocket {
 public:
  static constexpr std::size_t kBatch = 64;
  static constexpr std::size_t kLongestDatagram = 2048;  // longer ones are dropped

  // None, with `error` set, when the address is not IPv4 or cannot be bound.
  static std::unique_ptr<LobbySocket> open(const std::string& address, std::uint16_t port, std::string& error);
  ~LobbySocket();
  LobbySocket(const LobbySocket&) = delete;
  LobbySocket& operator=(const LobbySocket&) = delete;

  int fd() const { return fd_; }
  std::uint16_t port() const;

  // Reads the datagrams waiting, at most kBatch, and gives each to `each`;
  // returns how many were read.
  template <typename Each>
  std::size_t receive(Each&& each) {
    const std::size_t n = receiveBatch();
    for (std::size_t k = 0; k < n; ++k) {
      if (messages_[k].msg_hdr.msg_flags & MSG_TRUNC) continue;
      each(endpointOf(addresses_[k]), std::span<const std::uint8_t>(buffers_[k].data(), messages_[k].msg_len));
    }
    return n;
  }
  // Sends everything in `out`; what the kernel cannot take now is dropped and counted.
  void send(const std::vector<Outgoing>& out);
  std::int64_t unsent() const { return unsent_; }

 private:
  explicit LobbySocket(int fd);
  std::size_t receiveBatch();
  static Endpoint endpointOf(const sockaddr_in& address);

  int fd_;
  std::int64_t unsent_ = 0;
  std::vector<std::array<std::uint8_t, kLongestDatagram>> buffers_;
  std::array<iovec, kBatch> iovecs_{};
  std::array<sockaddr_in, kBatch> addresses_{};
  std::array<mmsghdr, kBatch> messages_{};
};

}  // namespace glamora::lobby
