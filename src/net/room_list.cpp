#include "room_list.h"

#include <algorithm>

namespace glamora::netio {

namespace {

constexpr std::size_t kList = LobbyTalk::kind<lobby::List>();

}  // namespace

RoomList::RoomList(const lobby::Endpoint& lobby, std::string lobbyName, DatagramSend send, std::int64_t nowUs)
    : talk_(lobby, std::move(send)), lobbyName_(std::move(lobbyName)) {
  ask(0, nowUs);
}

void RoomList::ask(std::uint16_t offset, std::int64_t nowUs) {
  talk_.ask(lobby::List{offset}, kRetryUs, LobbyTalk::Until::Answered, nowUs);
}

void RoomList::receive(std::span<const std::uint8_t> datagram, std::int64_t nowUs) {
  if (done_) return;
  const std::optional<LobbyTalk::Heard> heard = talk_.receive(datagram, nowUs);
  const auto* page = heard && heard->kind == kList ? std::get_if<lobby::Rooms>(&heard->answer.body) : nullptr;
  if (!page) return;
  for (const lobby::RoomEntry& room : page->rooms) {
    const auto same = [&room](const lobby::RoomEntry& r) { return r.code == room.code; };
    if (std::none_of(rooms_.begin(), rooms_.end(), same)) rooms_.push_back(room);
  }
  const std::size_t next = std::size_t{page->offset} + page->rooms.size();
  if (page->rooms.empty() || next >= page->total) {
    done_ = true;
    return;
  }
  ask(static_cast<std::uint16_t>(next), nowUs);
}

void RoomList::service(std::int64_t nowUs) {
  if (done_) return;
  if (talk_.silentUs(kList, nowUs) >= kUnreachableUs) {
    done_ = true;
    error_ = "the lobby at " + lobbyName_ + " cannot be reached";
    return;
  }
  talk_.service(nowUs);
}

}  // namespace glamora::netio
