// Our own reader of Standard MIDI Files. FluidSynth takes any bytes without
// complaint, so every file is read and checked here first; the events it
// yields, timed by the file's tempo map, are what the synthesiser is fed.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include <vector>
#include "engine/message.h"

namespace glamora::media {

struct MidiEvent {
  std::int64_t micros;  // from the start, through the tempo map
  std::uint8_t status;  // 0x80..0xEF channel message, 0xF0 system exclusive
  std::uint8_t data1 = 0;
  std::uint8_t data2 = 0;
  std::uint32_t sysex = 0;  // index into MidiSong::sysex for 0xF0
};

struct MidiSong {
  int format = 0;
  int tracks = 0;
  std::vector<MidiEvent> events;                 // all tracks merged in time order
  std::vector<std::vector<std::uint8_t>> sysex;  // payloads without F0 and F7
  std::int64_t lengthTicks = 0;                  // the end of the longest track
  std::int64_t lengthMicros = 0;
};

class MidiFormatError : public std::runtime_error {
 public:
  MidiFormatError(Message why, bool truncated)
      : std::runtime_error(why.text()), why_(std::move(why)), truncated_(truncated) {}
  const Message& why() const { return why_; }
  // The file ends before its own sizes say it should.
  bool truncated() const { return truncated_; }

 private:
  Message why_;
  bool truncated_;
};

// Reads a whole file held in memory; throws MidiFormatError with a short
// reason when it is not a complete, well-formed format 0 or 1 file.
MidiSong readMidi(const std::vector<std::uint8_t>& bytes);

}  // namespace glamora::media
