// glamora-sim's output: one JSON object per line.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/effects.h"
#include "engine/scheduler.h"
#include "engine/text_checks.h"

namespace glamora::sim {

// Records what the engine asks of the outside as events at the simulated time.
// Media never fail and never reach their end.
class EventWriter final : public Effects {
 public:
  explicit EventWriter(std::ostream& out) : out_(out) {}
  // The clock whose time stamps the events.
  void setClock(const SimClock& clock) { clock_ = &clock; }

  void openMedia(Media player, const std::string& path) override;
  void media(Media player, MediaOp op) override;
  void openDialog(Dialog dialog) override;
  void showError(const Message& text) override;

  void ignored(int line);
  // A line of the form {"t":T,"event":"<event>",<body>}.
  void write(std::string_view event, std::string_view body);

 private:
  std::ostream& out_;
  const SimClock* clock_ = nullptr;
};

}  // namespace glamora::sim
