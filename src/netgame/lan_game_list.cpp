#include "lan_game_list.h"

#include <algorithm>

#include "game_greeting.h"
#include "net/this_machine.h"

namespace glamora::netgame {

namespace {

constexpr int kProbeMs = 1000;
// A game not heard of for this long leaves the list.
constexpr std::int64_t kFoundForUs = 3'500'000;

}  // namespace

LanGameList::LanGameList(const std::string& findFrom, std::vector<std::string> targets, std::uint16_t port,
                         std::function<void(const std::vector<FoundLine>&)> showList)
    : targets_(std::move(targets)), port_(port), show_(std::move(showList)) {
  clock_.start();
  std::string error;
  finder_ = netio::GameFinder::open(findFrom, error);
  if (finder_) {
    ready_ = std::make_unique<QSocketNotifier>(finder_->socket(), QSocketNotifier::Read);
    connect(ready_.get(), &QSocketNotifier::activated, this, &LanGameList::read);
    probe_.setInterval(kProbeMs);
    connect(&probe_, &QTimer::timeout, this, &LanGameList::probe);
    probe_.start();
    probe();
  }
  show();
}

void LanGameList::probe() {
  const std::int64_t now = clock_.nsecsElapsed() / 1000;
  std::erase_if(found_, [now](const auto& f) { return now - f.second.seenUs > kFoundForUs; });
  finder_->probe(targets_.empty() ? netio::broadcastAddresses() : targets_, port_,
                 netio::GameProbe{net::kProtocolVersion, gameVersion()});
  show();
}

void LanGameList::read() {
  for (const netio::FoundGame& f : finder_->read()) {
    found_[f.address + ":" + std::to_string(f.answer.port)] = {f.answer, clock_.nsecsElapsed() / 1000};
  }
  show();
}

void LanGameList::show() {
  std::vector<FoundLine> lines;
  for (const auto& [address, f] : found_) {
    const bool sameGame = f.answer.protocol == net::kProtocolVersion && f.answer.gameVersion == gameVersion();
    lines.push_back(
        {QString::fromStdString(f.answer.name), QString::fromStdString(address), sameGame,
         sameGame ? Message("LanGameList", "待っています")
                  : Message("LanGameList", "バージョンが違います（%1）").arg(Message::fixed(f.answer.gameVersion))});
  }
  std::stable_sort(lines.begin(), lines.end(), [](const FoundLine& a, const FoundLine& b) { return a.name < b.name; });
  show_(lines);
}

}  // namespace glamora::netgame
