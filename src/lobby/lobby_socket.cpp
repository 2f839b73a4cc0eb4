#include "lobby_socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace glamora::lobby {

namespace {

// Room for bursts of relayed datagrams between two reads.
constexpr int kBufferBytes = 4 << 20;

sockaddr_in addressOf(const Endpoint& endpoint) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(endpoint.ip);
  a.sin_port = htons(endpoint.port);
  return a;
}

}  // namespace

std::unique_ptr<LobbySocket> LobbySocket::open(const std::string& address, std::uint16_t port, std::string& error) {
  sockaddr_in bound{};
  bound.sin_family = AF_INET;
  bound.sin_port = htons(port);
  if (inet_pton(AF_INET, address.c_str(), &bound.sin_addr) != 1) {
    error = "not an IPv4 address: " + address;
    return nullptr;
  }
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    error = std::string("cannot open a UDP socket: ") + std::strerror(errno);
    return nullptr;
  }
  for (const int option : {SO_RCVBUF, SO_SNDBUF})
    setsockopt(fd, SOL_SOCKET, option, &kBufferBytes, sizeof kBufferBytes);
  // Datagrams go out unfragmented (the lobby's own are at most 1,200 bytes,
  // a battle's within ENet's MTU), which spares the kernel an IP identifier
  // for each one relayed.
  const int dontFragment = IP_PMTUDISC_DO;
  setsockopt(fd, IPPROTO_IP, IP_MTU_DISCOVER, &dontFragment, sizeof dontFragment);
  if (bind(fd, reinterpret_cast<const sockaddr*>(&bound), sizeof bound) != 0) {
    error = "cannot listen on " + address + ":" + std::to_string(port) + ": " + std::strerror(errno);
    close(fd);
    return nullptr;
  }
  return std::unique_ptr<LobbySocket>(new LobbySocket(fd));
}

LobbySocket::LobbySocket(int fd) : fd_(fd), buffers_(kBatch) {}

LobbySocket::~LobbySocket() { close(fd_); }

std::uint16_t LobbySocket::port() const {
  sockaddr_in a{};
  socklen_t size = sizeof a;
  return getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &size) == 0 ? ntohs(a.sin_port) : 0;
}

Endpoint LobbySocket::endpointOf(const sockaddr_in& address) {
  return Endpoint{ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
}

std::size_t LobbySocket::receiveBatch() {
  for (std::size_t k = 0; k < kBatch; ++k) {
    iovecs_[k] = {buffers_[k].data(), buffers_[k].size()};
    messages_[k].msg_hdr = {};
    messages_[k].msg_hdr.msg_name = &addresses_[k];
    messages_[k].msg_hdr.msg_namelen = sizeof addresses_[k];
    messages_[k].msg_hdr.msg_iov = &iovecs_[k];
    messages_[k].msg_hdr.msg_iovlen = 1;
  }
  const int n = recvmmsg(fd_, messages_.data(), kBatch, MSG_DONTWAIT, nullptr);
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void LobbySocket::send(const std::vector<Outgoing>& out) {
  std::array<sockaddr_in, kBatch> to;
  std::size_t next = 0;
  while (next < out.size()) {
    const std::size_t count = std::min(kBatch, out.size() - next);
    for (std::size_t k = 0; k < count; ++k) {
      const Outgoing& o = out[next + k];
      to[k] = addressOf(o.to);
      iovecs_[k] = {const_cast<std::uint8_t*>(o.bytes.data()), o.bytes.size()};
      messages_[k].msg_hdr = {};
      messages_[k].msg_hdr.msg_name = &to[k];
      messages_[k].msg_hdr.msg_namelen = sizeof to[k];
      messages_[k].msg_hdr.msg_iov = &iovecs_[k];
      messages_[k].msg_hdr.msg_iovlen = 1;
    }
    const int sent = sendmmsg(fd_, messages_.data(), static_cast<unsigned>(count), MSG_DONTWAIT);
    if (sent > 0) {
      next += static_cast<std::size_t>(sent);
    } else if (errno == EAGAIN || errno == EWOULDBLOCK || errno == ENOBUFS) {
      unsent_ += static_cast<std::int64_t>(out.size() - next);  // the kernel is full: UDP may drop
      return;
    } else if (errno != EINTR) {
      ++unsent_;  // this one cannot go (an address the kernel refuses); the rest still may
      ++next;
    }
  }
}

}  // namespace glamora::lobby
