#include "enet_filter.h"

#include <sys/socket.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace glamora::netio {

namespace {

// ENet hosts have no user pointer: the filters, by host.
std::vector<EnetFilter*> gFilters;
std::vector<ENetHost*> gHosts;

}  // namespace

EnetFilter::EnetFilter(ENetHost* host) : host_(host) {
  host->checksum = enet_crc32;
  host->intercept = &EnetFilter::intercept;
  gFilters.push_back(this);
  gHosts.push_back(host);
}

EnetFilter::~EnetFilter() {
  for (std::size_t k = 0; k < gFilters.size(); ++k) {
    if (gFilters[k] != this) continue;
    gFilters.erase(gFilters.begin() + static_cast<std::ptrdiff_t>(k));
    gHosts.erase(gHosts.begin() + static_cast<std::ptrdiff_t>(k));
    break;
  }
}

int EnetFilter::intercept(ENetHost* host, ENetEvent*) {
  for (std::size_t k = 0; k < gHosts.size(); ++k) {
    if (gHosts[k] != host) continue;
    EnetFilter& f = *gFilters[k];
    f.dropOversized();
    if (f.foreign && f.foreign(host->receivedAddress, {host->receivedData, host->receivedDataLength})) return 1;
    if (f.admits(host)) return 0;
    ++f.dropped_;
    return 1;
  }
  return 0;
}

// Before a peer is chosen ENet reads everything (and checks it). Once it is,
// a stranger's datagram gets through only as a connect, or from a slot it
// holds already, so that it hears that this side is busy.
bool EnetFilter::admits(ENetHost* host) const {
  if (!peer_) return true;
  if (!enetChecksumHolds(host)) return false;
  const ENetAddress& from = host->receivedAddress;
  const auto sentFrom = [&from](const ENetPeer& p) {
    return p.state != ENET_PEER_STATE_DISCONNECTED && p.address.host == from.host && p.address.port == from.port;
  };
  if (sentFrom(*peer_)) return true;
  std::uint16_t word;
  std::memcpy(&word, host->receivedData, 2);
  const std::uint16_t peerId =
      ENET_NET_TO_HOST_16(word) & ~(ENET_PROTOCOL_HEADER_FLAG_MASK | ENET_PROTOCOL_HEADER_SESSION_MASK);
  return peerId == ENET_PROTOCOL_MAXIMUM_PEER_ID || std::any_of(host->peers, host->peers + host->peerCount, sentFrom);
}

// A datagram longer than ENet's buffer makes its receive fail: it is read
// and dropped before ENet gets to it.
void EnetFilter::dropOversized() {
  std::uint8_t first;
  while (recv(host_->socket, &first, 1, MSG_PEEK | MSG_TRUNC | MSG_DONTWAIT) > ENET_PROTOCOL_MAXIMUM_MTU) {
    recv(host_->socket, &first, 1, MSG_DONTWAIT);
    ++dropped_;
  }
}

// The header is the peer id (with flags), the sent time when flagged, then the
// checksum, computed over the datagram with the peer's connect id (0 before
// the sender knows its peer id) in the checksum's place.
bool enetChecksumHolds(const ENetHost* host) {
  const std::size_t length = host->receivedDataLength;
  if (length < 2) return false;
  std::uint16_t word;
  std::memcpy(&word, host->receivedData, 2);
  const std::uint16_t id = ENET_NET_TO_HOST_16(word);
  const std::uint16_t flags = id & ENET_PROTOCOL_HEADER_FLAG_MASK;
  const std::uint16_t peerId = id & ~(ENET_PROTOCOL_HEADER_FLAG_MASK | ENET_PROTOCOL_HEADER_SESSION_MASK);
  if (flags & ENET_PROTOCOL_HEADER_FLAG_COMPRESSED) return false;  // never sent by this game
  const std::size_t checksumAt = (flags & ENET_PROTOCOL_HEADER_FLAG_SENT_TIME) ? 4 : 2;
  if (length < checksumAt + 4) return false;
  enet_uint32 seed = 0;
  if (peerId != ENET_PROTOCOL_MAXIMUM_PEER_ID) {
    if (peerId >= host->peerCount) return false;
    seed = host->peers[peerId].connectID;
  }
  std::vector<std::uint8_t> copy(host->receivedData, host->receivedData + length);
  enet_uint32 stored;
  std::memcpy(&stored, copy.data() + checksumAt, 4);
  std::memcpy(copy.data() + checksumAt, &seed, 4);
  ENetBuffer buffer;
  buffer.data = copy.data();
  buffer.dataLength = copy.size();
  return enet_crc32(&buffer, 1) == stored;
}

}  // namespace glamora::netio
