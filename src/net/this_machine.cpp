#include "this_machine.h"

#include <algorithm>
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <unistd.h>

namespace glamora::netio {

namespace {

std::string dotted(const sockaddr* address) {
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
  return text;
}

std::uint32_t inAddress(const sockaddr* address) {
  return reinterpret_cast<const sockaddr_in*>(address)->sin_addr.s_addr;
}

// Each IPv4 interface address that is up, with its flags.
template <typename Visit>
void forEachIPv4(Visit visit) {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return;
  for (const ifaddrs* i = list; i; i = i->ifa_next) {
    if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
    if (!(i->ifa_flags & IFF_UP)) continue;
    visit(*i);
  }
  freeifaddrs(list);
}

void addOnce(std::vector<std::string>& out, std::string address) {
  if (std::find(out.begin(), out.end(), address) == out.end()) out.push_back(std::move(address));
}

}  // namespace

std::vector<std::string> ownAddresses() {
  std::vector<std::string> out;
  forEachIPv4([&](const ifaddrs& i) {
    if (!(i.ifa_flags & IFF_LOOPBACK)) addOnce(out, dotted(i.ifa_addr));
  });
  return out;
}

std::vector<std::string> broadcastAddresses() {
  std::vector<std::string> out{"255.255.255.255"};
  forEachIPv4([&](const ifaddrs& i) {
    if ((i.ifa_flags & IFF_BROADCAST) && i.ifa_broadaddr && i.ifa_broadaddr->sa_family == AF_INET)
      addOnce(out, dotted(i.ifa_broadaddr));
  });
  return out;
}

std::vector<LocalNetwork> localNetworks() {
  std::vector<LocalNetwork> out;
  forEachIPv4([&](const ifaddrs& i) {
    if (i.ifa_netmask) out.push_back({inAddress(i.ifa_addr), inAddress(i.ifa_netmask)});
  });
  return out;
}

std::string machineName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

std::optional<std::string> dottedIPv4(const std::string& text) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  if (inet_pton(AF_INET, text.c_str(), &address.sin_addr) != 1) return std::nullopt;
  return dotted(reinterpret_cast<const sockaddr*>(&address));
}

std::string firstIPv4(const std::string& name) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  std::string address;
  if (getaddrinfo(name.c_str(), nullptr, &hints, &found) == 0) {
    if (found) address = dotted(found->ai_addr);
    freeaddrinfo(found);
  }
  return address;
}

NameLookup::NameLookup(const std::string& name) {
  thread_ = std::jthread([this, name] {
    const std::string address = firstIPv4(name);
    const std::lock_guard hold(lock_);
    address_ = address;
  });
}

std::optional<std::string> NameLookup::result() const {
  const std::lock_guard hold(lock_);
  return address_;
}

}  // namespace glamora::netio
