// This machine's place on the local network, and other machines' addresses
// by name, from the system's own calls.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace glamora::netio {

// The IPv4 addresses of this machine's interfaces that are up, loopback left out.
std::vector<std::string> ownAddresses();
// "255.255.255.255", then the broadcast address of each IPv4 network this
// machine is on (interfaces that are up and can broadcast, loopback left out).
std::vector<std::string> broadcastAddresses();
// An IPv4 network this machine is on: an interface's address and netmask,
// both in network byte order (as in ENetAddress::host).
struct LocalNetwork {
  std::uint32_t address = 0;
  std::uint32_t mask = 0;
  bool holds(std::uint32_t host) const { return ((host ^ address) & mask) == 0; }
};
// The networks of this machine's IPv4 interfaces that are up, loopback included.
std::vector<LocalNetwork> localNetworks();
// The machine's host name ("" when the system gives none).
std::string machineName();
// `text` when it is a dotted IPv4 address ("a.b.c.d"), written the usual way.
std::optional<std::string> dottedIPv4(const std::string& text);

// A name's first IPv4 address ("" when there is none). The system's lookup
// may wait for many seconds.
std::string firstIPv4(const std::string& name);

// A name's first IPv4 address, looked up on a thread of its own, because the
// system's lookup may wait for many seconds. The asker checks result() from
// time to time; going, the lookup waits for the system's call to return.
class NameLookup {
 public:
  explicit NameLookup(const std::string& name);
  // None while the lookup runs; then the address, or "" when there is none.
  std::optional<std::string> result() const;

 private:
  mutable std::mutex lock_;
  std::optional<std::string> address_;
  std::jthread thread_;  // last: starts once the above exist
};

}  // namespace glamora::netio
