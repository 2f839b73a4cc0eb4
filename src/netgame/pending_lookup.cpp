#include "pending_lookup.h"

namespace glamora::netgame {

namespace {

constexpr int kPollMs = 20;

}  // namespace

PendingLookup::PendingLookup() {
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &PendingLookup::check);
}

void PendingLookup::start(const std::string& name, std::function<void(const std::string&)> found) {
  giveUp();
  if (const std::optional<std::string> numeric = netio::dottedIPv4(name)) return found(*numeric);
  lookup_ = std::make_unique<netio::NameLookup>(name);
  found_ = std::move(found);
  poll_.start();
}

void PendingLookup::giveUp() {
  std::erase_if(givenUp_, [](const auto& lookup) { return lookup->result().has_value(); });
  if (lookup_) givenUp_.push_back(std::move(lookup_));
  found_ = nullptr;
  poll_.stop();
}

void PendingLookup::check() {
  const std::optional<std::string> address = lookup_ ? lookup_->result() : std::string();
  if (!address) return;
  lookup_.reset();
  poll_.stop();
  // Called last: it may start another lookup.
  if (auto found = std::exchange(found_, nullptr)) found(*address);
}

}  // namespace glamora::netgame
