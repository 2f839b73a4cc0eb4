#include "midi_file.h"

#include <algorithm>
#include <cstring>

namespace glamora::media {

namespace {

// Longer than any song; keeps a bogus tempo or delta from overflowing times.
constexpr double kMaxMicros = 24.0 * 3600 * 1e6;

struct TrackEvent {
  std::int64_t tick;
  int track;
  int order;
  MidiEvent event;
};

struct TempoChange {
  std::int64_t tick;
  std::uint32_t microsPerQuarter;
};

[[noreturn]] void broken(Message why) { throw MidiFormatError(std::move(why), false); }
[[noreturn]] void cut(Message why) { throw MidiFormatError(std::move(why), true); }

std::uint32_t be32(const std::uint8_t* p) {
  return (static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// One MTrk chunk's bytes.
class TrackReader {
 public:
  TrackReader(const std::uint8_t* data, std::size_t size, int number)
      : data_(data), size_(size), name_(Message("Media", "トラック %1").arg(Message::fixed(number))) {}

  bool atEnd() const { return pos_ >= size_; }

  std::uint8_t byte() {
    if (pos_ >= size_) broken(Message("Media", "%1 のイベントがチャンクの外まで続いています").arg(name_));
    return data_[pos_++];
  }
  std::uint8_t peek() const { return pos_ < size_ ? data_[pos_] : 0; }

  std::uint32_t varLen() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint8_t b = byte();
      value = (value << 7) | (b & 0x7F);
      if (!(b & 0x80)) return value;
    }
    broken(Message("Media", "%1 に不正な可変長の数値があります").arg(name_));
  }

  const std::uint8_t* take(std::uint32_t n) {
    if (n > size_ - pos_) broken(Message("Media", "%1 のイベントがチャンクの外まで続いています").arg(name_));
    const std::uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
  }

  std::uint8_t data() {
    const std::uint8_t b = byte();
    if (b & 0x80) broken(Message("Media", "%1 のデータバイトが不正です").arg(name_));
    return b;
  }

  const Message& name() const { return name_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  Message name_;
};

// Reads one track; returns the tick of its end.
std::int64_t readTrack(TrackReader& in, int track, std::vector<TrackEvent>& events, std::vector<TempoChange>& tempos,
                       std::vector<std::vector<std::uint8_t>>& sysex) {
  std::int64_t tick = 0;
  int order = 0;
  std::uint8_t running = 0;
  while (!in.atEnd()) {
    tick += in.varLen();
    std::uint8_t status = in.peek();
    if (status & 0x80) {
      in.byte();
    } else if (running) {
      status = running;
    } else {
      broken(Message("Media", "%1 にステータスバイトがありません").arg(in.name()));
    }

    if (status == 0xFF) {
      const std::uint8_t type = in.byte();
      const std::uint32_t len = in.varLen();
      const std::uint8_t* p = in.take(len);
      if (type == 0x2F) return tick;  // end of track
      if (type == 0x51 && len == 3) {
        const std::uint32_t tempo = (p[0] << 16) | (p[1] << 8) | p[2];
        if (tempo > 0) tempos.push_back({tick, tempo});
      }
    } else if (status == 0xF0 || status == 0xF7) {
      const std::uint32_t len = in.varLen();
      const std::uint8_t* p = in.take(len);
      if (status == 0xF0) {
        std::vector<std::uint8_t> payload(p, p + len);
        if (!payload.empty() && payload.back() == 0xF7) payload.pop_back();
        events.push_back({tick, track, order++, {0, 0xF0, 0, 0, static_cast<std::uint32_t>(sysex.size())}});
        sysex.push_back(std::move(payload));
      }
      running = 0;
    } else if (status >= 0xF1) {
      broken(Message("Media", "%1 に不正なイベントがあります").arg(in.name()));
    } else {
      running = status;
      MidiEvent e{0, status};
      e.data1 = in.data();
      const std::uint8_t kind = status & 0xF0;
      if (kind != 0xC0 && kind != 0xD0) e.data2 = in.data();
      events.push_back({tick, track, order++, e});
    }
  }
  return tick;  // no end-of-track event: the chunk's end is the track's end
}

// Converts ticks to microseconds through the tempo changes. Ticks must be
// asked for in increasing order, so the walk through the changes is done once.
class TempoMap {
 public:
  TempoMap(std::vector<TempoChange> changes, int division) : changes_(std::move(changes)), division_(division) {
    std::stable_sort(changes_.begin(), changes_.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
  }

  std::int64_t micros(std::int64_t tick) {
    if (division_ < 0) {  // SMPTE: frames per second times ticks per frame
      const int fps = -(division_ >> 8);
      const int perFrame = division_ & 0xFF;
      return checked(static_cast<double>(tick) * 1e6 / (fps * perFrame));
    }
    // A change at the tick itself does not touch the time up to it.
    while (next_ < changes_.size() && changes_[next_].tick < tick) {
      base_ += static_cast<double>(changes_[next_].tick - baseTick_) * tempo_ / division_;
      baseTick_ = changes_[next_].tick;
      tempo_ = changes_[next_].microsPerQuarter;
      ++next_;
    }
    return checked(base_ + static_cast<double>(tick - baseTick_) * tempo_ / division_);
  }

 private:
  static std::int64_t checked(double micros) {
    if (micros > kMaxMicros) broken(Message("Media", "曲が長すぎます"));
    return static_cast<std::int64_t>(micros);
  }
  std::vector<TempoChange> changes_;
  int division_;
  std::size_t next_ = 0;
  double base_ = 0;  // time at baseTick_
  std::int64_t baseTick_ = 0;
  std::uint32_t tempo_ = 500000;  // 120 beats per minute until told otherwise
};

}  // namespace

MidiSong readMidi(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < 4 || std::memcmp(bytes.data(), "MThd", 4) != 0)
    broken(Message("Media", "MThd ヘッダーがありません"));
  if (bytes.size() < 14) cut(Message("Media", "ヘッダーが途中で切れています"));
  const std::uint32_t headerSize = be32(bytes.data() + 4);
  if (headerSize < 6) broken(Message("Media", "ヘッダーが短すぎます"));
  if (headerSize > bytes.size() - 8) cut(Message("Media", "ヘッダーが途中で切れています"));

  MidiSong song;
  const std::uint8_t* h = bytes.data() + 8;
  song.format = (h[0] << 8) | h[1];
  const int declaredTracks = (h[2] << 8) | h[3];
  const int division = static_cast<std::int16_t>((h[4] << 8) | h[5]);
  if (song.format > 1) broken(Message("Media", "形式 %1 には対応していません").arg(Message::fixed(song.format)));
  if (declaredTracks == 0) broken(Message("Media", "トラックがありません"));
  if (division == 0 || (division < 0 && (division & 0xFF) == 0)) broken(Message("Media", "分解能が 0 です"));
  if (division < 0) {
    const int fps = -(division >> 8);
    if (fps != 24 && fps != 25 && fps != 29 && fps != 30) broken(Message("Media", "分解能が不正です"));
  }

  std::vector<TrackEvent> events;
  std::vector<TempoChange> tempos;
  std::size_t pos = 8 + headerSize;
  while (song.tracks < declaredTracks) {
    if (pos + 8 > bytes.size())
      cut(Message("Media", "ヘッダーでは %1 トラック、ファイルには %2 トラック")
              .arg(Message::fixed(declaredTracks))
              .arg(Message::fixed(song.tracks)));
    const std::uint32_t size = be32(bytes.data() + pos + 4);
    if (size > bytes.size() - pos - 8)
      cut(Message("Media", "トラック %1 が途中で切れています").arg(Message::fixed(song.tracks + 1)));
    if (std::memcmp(bytes.data() + pos, "MTrk", 4) == 0) {
      ++song.tracks;
      TrackReader reader(bytes.data() + pos + 8, size, song.tracks);
      song.lengthTicks = std::max(song.lengthTicks, readTrack(reader, song.tracks, events, tempos, song.sysex));
    }  // other chunk types are skipped, as the format allows
    pos += 8 + size;
  }

  std::stable_sort(events.begin(), events.end(), [](const TrackEvent& a, const TrackEvent& b) {
    return a.tick != b.tick ? a.tick < b.tick : (a.track != b.track ? a.track < b.track : a.order < b.order);
  });
  TempoMap map(std::move(tempos), division);
  song.events.reserve(events.size());
  for (const TrackEvent& e : events) {
    MidiEvent out = e.event;
    out.micros = map.micros(e.tick);
    song.events.push_back(out);
  }
  song.lengthMicros = map.micros(song.lengthTicks);
  return song;
}

}  // namespace glamora::media
