#include "room_table.h"

#include <sodium.h>

#include <iterator>
#include <stdexcept>

namespace glamora::lobby {

namespace {

std::uint64_t randomSeed() {
  if (sodium_init() < 0) throw std::runtime_error("cannot start libsodium");
  std::uint64_t seed;
  randombytes_buf(&seed, sizeof seed);
  return seed;
}

}  // namespace

RoomTable::RoomTable() : byHost_(64, EndpointHash{randomSeed()}), relayEnds_(64, EndpointHash{randomSeed()}) {}

std::string RoomTable::freshCode() const {
  std::string code(kCodeLength, ' ');
  do {
    for (char& c : code) c = kCodeAlphabet[randombytes_uniform(static_cast<std::uint32_t>(kCodeAlphabet.size()))];
  } while (byCode_.contains(code));
  return code;
}

Room& RoomTable::add(Room room) {
  room.serial = ++lastSerial_;
  room.listed = false;
  const std::string code = room.code;
  Room& added = byCode_.emplace(code, std::move(room)).first->second;
  byHost_[added.host] = &added;
  updateListing(added);
  return added;
}

Room* RoomTable::find(const std::string& code) {
  const auto found = byCode_.find(code);
  return found == byCode_.end() ? nullptr : &found->second;
}

Room* RoomTable::hostedBy(const Endpoint& host) {
  const auto found = byHost_.find(host);
  return found == byHost_.end() ? nullptr : found->second;
}

void RoomTable::close(Room& room) {
  forgetProofs(room);
  if (room.listed) listed_.erase(placeOf(room));
  byHost_.erase(room.host);
  byCode_.erase(room.code);  // last: it destroys the room
}

void RoomTable::updateListing(Room& room) {
  const bool listed = room.open && room.phase == Phase::Waiting;
  if (listed == room.listed) return;
  if (listed) {
    listed_.emplace(placeOf(room), &room);
  } else {
    listed_.erase(placeOf(room));
  }
  room.listed = listed;
}

void RoomTable::forListed(std::size_t offset, const std::function<bool(const Room&)>& visit) const {
  if (offset >= listed_.size()) return;
  for (auto it = std::next(listed_.begin(), static_cast<std::ptrdiff_t>(offset)); it != listed_.end(); ++it) {
    if (!visit(*it->second)) return;
  }
}

void RoomTable::prove(Room& room, Role role, const Endpoint& at) {
  RelayEnd& end = room.relay[static_cast<std::size_t>(role)];
  if (end.proven && end.at == at) return;
  // An endpoint serves one side of one room: a newer proof takes it over.
  if (const auto old = relayEnds_.find(at); old != relayEnds_.end()) {
    Room& other = *old->second.room;
    other.relay[static_cast<std::size_t>(old->second.role)].proven = false;
    relayEnds_.erase(old);
    if (!other.relay[0].proven && !other.relay[1].proven) --relayed_;
  }
  if (!room.relay[0].proven && !room.relay[1].proven) ++relayed_;
  if (end.proven) relayEnds_.erase(end.at);
  end.proven = true;
  end.at = at;
  relayEnds_[at] = RelayLink{&room, role};
}

void RoomTable::forgetProofs(Room& room) {
  const bool counted = room.relay[0].proven || room.relay[1].proven;
  for (RelayEnd& end : room.relay) {
    if (end.proven) relayEnds_.erase(end.at);
    end = RelayEnd{};
  }
  if (counted) --relayed_;
  room.relayedLogged = false;
}

void RoomTable::reopen(Room& room, std::int64_t nowUs) {
  forgetProofs(room);
  room.phase = Phase::Waiting;
  room.joiner = Endpoint{};
  room.joinerLocals.clear();
  room.key = RoomKey{};
  room.waitingSinceUs = nowUs;
  updateListing(room);
}

void RoomTable::sweep(const std::function<bool(Room&)>& visit) {
  for (auto it = byCode_.begin(); it != byCode_.end();) {
    Room& room = (it++)->second;  // the iterator moves on before the room may go
    if (!visit(room)) close(room);
  }
}

}  // namespace glamora::lobby
