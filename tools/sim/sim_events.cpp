#include "sim_events.h"

#include <cstdio>

namespace glamora::sim {

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    switch (ch) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
          out += escaped;
        } else {
          out += ch;
        }
    }
  }
  return out + "\"";
}

void EventWriter::write(std::string_view event, std::string_view body) {
  out_ << "{\"t\":" << (clock_ ? clock_->now() : 0) << ",\"event\":\"" << event << '"';
  if (!body.empty()) out_ << ',' << body;
  out_ << "}\n";
}

void EventWriter::openMedia(Media player, const std::string&) { media(player, MediaOp::Open); }

void EventWriter::media(Media player, MediaOp op) {
  write("media", std::string("\"player\":\"") + mediaName(player) + "\",\"op\":\"" + mediaOpName(op) + '"');
}

void EventWriter::openDialog(Dialog dialog) {
  write("dialog", std::string("\"form\":\"") + dialogName(dialog) + '"');
}

void EventWriter::showError(const std::string& text) { write("error", "\"text\":" + jsonString(text)); }

void EventWriter::ignored(int line) { write("ignored", "\"line\":" + std::to_string(line)); }

}  // namespace glamora::sim
