#include "datagram_socket.h"

#include <array>

#include "room_link.h"

namespace glamora::netio {

namespace {

constexpr int kMostReadsAtOnce = 64;
// The lobby's largest datagram is a page of its list, as large as the request.
constexpr std::size_t kLargestDatagram = lobby::kListRequestBytes;

}  // namespace

std::unique_ptr<DatagramSocket> DatagramSocket::open(const std::string& bindAddress, std::string& error) {
  ENetAddress bind{};
  if (enet_address_set_host_ip(&bind, bindAddress.c_str()) != 0) {
    error = "not an IPv4 address: " + bindAddress;
    return nullptr;
  }
  const ENetSocket s = enet_socket_create(ENET_SOCKET_TYPE_DATAGRAM);
  if (s == ENET_SOCKET_NULL) {
    error = "cannot open a UDP socket";
    return nullptr;
  }
  if (enet_socket_set_option(s, ENET_SOCKOPT_NONBLOCK, 1) != 0 || enet_socket_bind(s, &bind) != 0) {
    enet_socket_destroy(s);
    error = "cannot bind a UDP socket to " + bindAddress;
    return nullptr;
  }
  return std::unique_ptr<DatagramSocket>(new DatagramSocket(s));
}

DatagramSocket::~DatagramSocket() { enet_socket_destroy(socket_); }

void DatagramSocket::send(const lobby::Endpoint& to, std::span<const std::uint8_t> datagram) {
  const ENetAddress address = enetAddressOf(to);
  ENetBuffer buffer;
  buffer.data = const_cast<std::uint8_t*>(datagram.data());
  buffer.dataLength = datagram.size();
  enet_socket_send(socket_, &address, &buffer, 1);
}

std::vector<DatagramSocket::Arrived> DatagramSocket::read() {
  std::vector<Arrived> arrived;
  std::array<std::uint8_t, kLargestDatagram + 1> data;
  for (int k = 0; k < kMostReadsAtOnce; ++k) {
    ENetAddress from{};
    ENetBuffer buffer;
    buffer.data = data.data();
    buffer.dataLength = data.size();
    const int n = enet_socket_receive(socket_, &from, &buffer, 1);
    if (n == 0) break;    // nothing more waiting
    if (n < 0) continue;  // too long for any message of the lobby's, or an error
    arrived.push_back({endpointOf(from), {data.begin(), data.begin() + n}});
  }
  return arrived;
}

}  // namespace glamora::netio
