// Our MIDI reader: timing through the tempo map, merging tracks, and the
// reasons it gives for files it will not accept.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "assets/media/midi_file.h"
#include "test_media.h"

namespace glamora::media::test {
namespace {

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

Bytes join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST(MidiReader, TimesFollowTheTempoMapAcrossTracks) {
  // Track 1: tempo 120 bpm, after one quarter 60 bpm. Track 2: notes with
  // running status, one at each quarter.
  const Bytes tempo =
      join({{0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}, {0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40}, kEnd});
  const Bytes notes = join({{0x00, 0x91, 60, 100}, {0x60, 62, 100}, {0x60, 64, 0}, kEnd});
  const MidiSong song = readMidi(midiFile(1, 2, 96, {midiTrack(tempo), midiTrack(notes)}));
  ASSERT_EQ(song.events.size(), 3u);
  EXPECT_EQ(song.events[0].micros, 0);
  EXPECT_EQ(song.events[1].micros, 500000);   // one quarter at 120 bpm
  EXPECT_EQ(song.events[2].micros, 1500000);  // then one at 60 bpm
  EXPECT_EQ(song.events[1].status, 0x91);     // running status kept
  EXPECT_EQ(song.events[2].data2, 0);
  EXPECT_EQ(song.lengthTicks, 192);
  EXPECT_EQ(song.lengthMicros, 1500000);
}

TEST(MidiReader, EventsAtOneTickKeepTrackOrder) {
  const Bytes a = join({{0x00, 0xC0, 5}, kEnd});
  const Bytes b = join({{0x00, 0xC1, 6}, {0x00, 0xF0, 0x03, 0x7E, 0x09, 0xF7}, kEnd});
  const MidiSong song = readMidi(midiFile(1, 2, 96, {midiTrack(a), midiTrack(b)}));
  ASSERT_EQ(song.events.size(), 3u);
  EXPECT_EQ(song.events[0].status, 0xC0);
  EXPECT_EQ(song.events[1].status, 0xC1);
  EXPECT_EQ(song.events[2].status, 0xF0);
  EXPECT_EQ(song.sysex.at(song.events[2].sysex), (Bytes{0x7E, 0x09}));
}

TEST(MidiReader, SmpteDivisionAndUnknownChunks) {
  // 25 frames per second, 40 ticks per frame: 1000 ticks per second.
  const Bytes track = midiTrack(join({{0x87, 0x68, 0x90, 60, 1}, kEnd}));  // delta 1000
  const Bytes junk = {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 1, 2};
  const MidiSong song = readMidi(midiFile(0, 1, (0xE7 << 8) | 40, {junk, track}));
  EXPECT_EQ(song.events.at(0).micros, 1000000);
}

TEST(MidiReader, RejectsBrokenFilesWithAReason) {
  auto reason = [](const Bytes& bytes) -> std::string {
    try {
      readMidi(bytes);
    } catch (const MidiFormatError& e) {
      return e.what();
    }
    return "accepted";
  };
  using ::testing::HasSubstr;
  EXPECT_THAT(reason({'R', 'I', 'F', 'F'}), HasSubstr("MThd"));
  EXPECT_THAT(reason(midiFile(2, 1, 96, {midiTrack(kEnd)})), HasSubstr("形式 2"));
  EXPECT_THAT(reason(midiFile(0, 0, 96, {})), HasSubstr("トラックがありません"));
  EXPECT_THAT(reason(midiFile(0, 1, 0, {midiTrack(kEnd)})), HasSubstr("分解能"));
  EXPECT_THAT(reason(midiFile(0, 1, 96, {midiTrack({0x00, 60, 100})})), HasSubstr("ステータスバイト"));
  EXPECT_THAT(reason(midiFile(0, 1, 96, {midiTrack({0xFF, 0xFF, 0xFF, 0xFF, 0x00})})), HasSubstr("可変長"));
  EXPECT_THAT(reason(midiFile(0, 1, 96, {midiTrack({0x00, 0x90, 60})})), HasSubstr("チャンクの外"));
  EXPECT_THAT(reason(midiFile(0, 1, 96, {midiTrack({0x00, 0x90, 0x90, 1})})), HasSubstr("データバイト"));
  EXPECT_THAT(reason(midiFile(0, 1, 96, {midiTrack({0x00, 0xF4})})), HasSubstr("不正なイベント"));
  // An absurd tempo and delta times cannot make the length overflow.
  const Bytes slow = join({{0x00, 0xFF, 0x51, 0x03, 0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF, 0x7F, 0x80, 60, 0}, kEnd});
  EXPECT_THAT(reason(midiFile(0, 1, 1, {midiTrack(slow)})), HasSubstr("長すぎます"));

  Bytes cut = midiFile(0, 1, 96, {midiTrack(kEnd)});
  cut.pop_back();
  try {
    readMidi(cut);
    ADD_FAILURE();
  } catch (const MidiFormatError& e) {
    EXPECT_TRUE(e.truncated());
  }
}

}  // namespace
}  // namespace glamora::media::test
