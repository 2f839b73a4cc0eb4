// The gamepads plugged in, through SDL's game controller API, which reads
// every common pad with one layout of buttons: which pads there are, which
// player each plays (PadSeats), and the presses their controls make
// (PadReading). Nothing here runs by itself: the owner reads the pads when
// they may have something to say.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "input/pad_reading.h"
#include "input/pad_seats.h"

struct _SDL_GameController;

namespace glamora {

class Gamepads {
 public:
  struct Pad {
    int id = 0;  // SDL's instance id, unique for the run
    std::string name;
    std::string guid;
    std::string deviceFile;  // the kernel's event device; empty for a pad that has none
  };
  struct Press {
    int pad;
    PadButton button;
  };

  explicit Gamepads(std::vector<RememberedSeat> remembered = {});
  ~Gamepads();
  Gamepads(const Gamepads&) = delete;
  Gamepads& operator=(const Gamepads&) = delete;

  // Starts SDL's game controller subsystem and takes the pads plugged in.
  // False when SDL cannot start it (there are no pads then); `problem` says why.
  bool start();
  bool started() const { return started_; }
  const std::string& problem() const { return problem_; }

  // Brings SDL's view of the pads up to date, takes the pads plugged in and
  // lets the pulled ones go. True when the pads changed.
  bool refresh();
  // Reads every pad at `ms` (after a refresh): the presses their controls make.
  std::vector<Press> read(std::int64_t ms);
  // Reads every pad without pressing anything (see PadReading::settle).
  void settle();
  // When the earliest held direction repeats.
  std::optional<std::int64_t> nextRepeat() const;

  // The pads plugged in, in the order they were.
  std::vector<Pad> pads() const;
  const PadSeats& seats() const { return seats_; }
  // The players change pads; remembered (seats().remembered()).
  void swapPlayers() { seats_.swap(); }

 private:
  struct Open {
    Pad pad;
    _SDL_GameController* controller = nullptr;
    PadReading reading;
  };
  PadControls controlsOf(const Open& open) const;
  void close(Open& open);

  bool started_ = false;
  std::string problem_;
  std::map<int, Open> open_;  // by id
  PadSeats seats_;
};

}  // namespace glamora
