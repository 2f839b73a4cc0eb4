#include "sim_events.h"

namespace glamora::sim {

void EventWriter::write(std::string_view event, std::string_view body) {
  out_ << "{\"t\":" << (clock_ ? clock_->now() : 0) << ",\"event\":\"" << event << '"';
  if (!body.empty()) out_ << ',' << body;
  out_ << "}\n";
}

void EventWriter::openMedia(Media player, const std::string&) { media(player, MediaOp::Open); }

void EventWriter::media(Media player, MediaOp op) {
  write("media", std::string("\"player\":\"") + mediaName(player) + "\",\"op\":\"" + mediaOpName(op) + '"');
}

void EventWriter::openDialog(Dialog dialog) { write("dialog", std::string("\"form\":\"") + dialogName(dialog) + '"'); }

void EventWriter::showError(const Message& text) { write("error", "\"text\":" + jsonString(text.text())); }

void EventWriter::ignored(int line) { write("ignored", "\"line\":" + std::to_string(line)); }

}  // namespace glamora::sim
