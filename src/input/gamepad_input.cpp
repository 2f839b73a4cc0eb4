#include "gamepad_input.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QPushButton>
#include <QSocketNotifier>
#include <QWindow>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "modes/game_screen.h"

namespace glamora {

namespace {

GamepadInput::Clock steadyClock() {
  auto elapsed = std::make_shared<QElapsedTimer>();
  elapsed->start();
  return [elapsed] { return elapsed->elapsed(); };
}

// SDL may hear of a pad a little after its device file appears (udev sets
// the file's rights first): the pads are looked for again after these times.
constexpr int kLookAgainMs[] = {0, 250, 1000};

}  // namespace

GamepadInput::GamepadInput(std::vector<RememberedSeat> remembered, Clock clock, QObject* parent)
    : QObject(parent), clock_(clock ? std::move(clock) : steadyClock()), pads_(std::move(remembered)) {
  repeatTimer_.setSingleShot(true);
  repeatTimer_.setTimerType(Qt::PreciseTimer);
  connect(&repeatTimer_, &QTimer::timeout, this, &GamepadInput::poll);
  unwatchedTimer_.setTimerType(Qt::PreciseTimer);
  connect(&unwatchedTimer_, &QTimer::timeout, this, &GamepadInput::poll);
}

GamepadInput::~GamepadInput() {
  while (!watches_.empty()) unwatch(watches_.begin()->first);
}

bool GamepadInput::start() {
  if (pads_.started()) return true;
  if (!pads_.start()) return false;
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { updateReading(); });
  // A pad plugged in or pulled out changes the kernel's device files.
  const QString devices = QFileInfo::exists("/dev/input") ? "/dev/input" : "/dev";
  devices_ = new QFileSystemWatcher({devices}, this);
  connect(devices_, &QFileSystemWatcher::directoryChanged, this, [this] { refreshSoon(); });
  watchPads();
  updateReading();
  return true;
}

void GamepadInput::refreshSoon() {
  for (const int ms : kLookAgainMs) QTimer::singleShot(ms, this, [this] { poll(); });
}

void GamepadInput::poll() {
  if (!pads_.started()) return;
  ++reads_;
  // Each wake is taken before SDL reads, so none is lost between the two.
  std::vector<int> dead;
  for (auto& [pad, watch] : watches_) {
    if (!drain(watch)) dead.push_back(pad);
  }
  for (const int pad : dead) {
    unwatch(pad);
    unwatchable_.insert(pad);
  }
  if (!dead.empty()) refreshSoon();
  const bool changed = pads_.refresh();
  if (changed) watchPads();
  updateReading();
  if (reading_) {
    for (const Gamepads::Press& press : pads_.read(now())) deliver(press);
  }
  if (changed && onPadsChanged) onPadsChanged();
  armTimers();
}

void GamepadInput::swapPlayers() {
  pads_.swapPlayers();
  if (onPadsChanged) onPadsChanged();
}

void GamepadInput::updateReading() {
  QWidget* window = QApplication::activeWindow();
  const bool gameWindow = window && (dynamic_cast<GameScreen*>(window) || (isResultDialog && isResultDialog(window)));
  const bool reading = gameWindow && !pads_.pads().empty();
  if (reading == reading_) return;
  reading_ = reading;
  if (reading_) {
    // What happened while the game was not being played is let go.
    for (auto& [pad, watch] : watches_) drain(watch);
    if (pads_.refresh()) {
      watchPads();
      if (onPadsChanged) onPadsChanged();
    }
    pads_.settle();
  }
  for (auto& [pad, watch] : watches_) watch.notifier->setEnabled(reading_);
  armTimers();
}

void GamepadInput::watchPads() {
  const std::vector<Gamepads::Pad> pads = pads_.pads();
  std::vector<int> gone;
  for (const auto& [pad, watch] : watches_) {
    if (std::none_of(pads.begin(), pads.end(), [pad](const Gamepads::Pad& p) { return p.id == pad; }))
      gone.push_back(pad);
  }
  for (const int pad : gone) unwatch(pad);
  std::erase_if(unwatchable_, [&](int pad) {
    return std::none_of(pads.begin(), pads.end(), [pad](const Gamepads::Pad& p) { return p.id == pad; });
  });
  for (const Gamepads::Pad& pad : pads) {
    if (watches_.contains(pad.id) || unwatchable_.contains(pad.id)) continue;
    const std::string file = deviceFileOf ? deviceFileOf(pad) : pad.deviceFile;
    const int fd = file.empty() ? -1 : ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      unwatchable_.insert(pad.id);
      continue;
    }
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    notifier->setEnabled(reading_);
    connect(notifier, &QSocketNotifier::activated, this, [this] { poll(); });
    watches_[pad.id] = {fd, notifier};
  }
}

void GamepadInput::unwatch(int pad) {
  const auto it = watches_.find(pad);
  if (it == watches_.end()) return;
  delete it->second.notifier;
  ::close(it->second.fd);
  watches_.erase(it);
}

// Reads what the device file holds, to be woken again by the next event
// only; false when the file has ended (the pad was pulled out).
bool GamepadInput::drain(Watch& watch) {
  char buffer[24 * 64];  // whole kernel input events
  for (;;) {
    const ssize_t n = ::read(watch.fd, buffer, sizeof buffer);
    if (n > 0) continue;
    if (n < 0 && errno == EINTR) continue;
    return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  }
}

void GamepadInput::armTimers() {
  const std::optional<std::int64_t> due = reading_ ? pads_.nextRepeat() : std::nullopt;
  if (due) repeatTimer_.start(static_cast<int>(std::clamp<std::int64_t>(*due - now(), 0, 1000)));
  else repeatTimer_.stop();
  const bool unwatched = reading_ && !unwatchable_.empty();
  if (!unwatched) unwatchedTimer_.stop();
  else if (!unwatchedTimer_.isActive()) unwatchedTimer_.start(kUnwatchedPadMs);
}

void GamepadInput::deliver(const Gamepads::Press& press) {
  QWidget* window = QApplication::activeWindow();
  if (auto* screen = dynamic_cast<GameScreen*>(window)) return pressOn(*screen, press);
  if (window && isResultDialog && isResultDialog(window) && press.button == PadButton::Select) {
    if (auto* ok = window->findChild<QPushButton*>("return1")) ok->click();
  }
}

void GamepadInput::pressOn(GameScreen& screen, const Gamepads::Press& press) {
  if (press.button == PadButton::Pause) {
    if (screen.paused()) screen.resume();
    else screen.pause();
    return;
  }
  const Key key = press.button == PadButton::Left    ? Key::Left
                  : press.button == PadButton::Right ? Key::Right
                                                     : Key::Select;
  screen.padKey(pads_.seats().player(press.pad), key);
}

}  // namespace glamora
