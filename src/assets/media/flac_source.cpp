#include "flac_source.h"

#include <FLAC/stream_decoder.h>
#include <FLAC/stream_encoder.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "mixer.h"

namespace glamora::media {

namespace {

constexpr float kScale = 32767.0f;

class FlacSource final : public SoundSource {
 public:
  ~FlacSource() override {
    if (decoder_) FLAC__stream_decoder_delete(decoder_);
  }

  bool open(const std::string& path) {
    decoder_ = FLAC__stream_decoder_new();
    if (!decoder_) return false;
    FLAC__stream_decoder_set_md5_checking(decoder_, false);
    if (FLAC__stream_decoder_init_file(decoder_, path.c_str(), &FlacSource::onFrame, &FlacSource::onMetadata,
                                       &FlacSource::onError, this) != FLAC__STREAM_DECODER_INIT_STATUS_OK)
      return false;
    return FLAC__stream_decoder_process_until_end_of_metadata(decoder_) && rate_ == kOutputRate &&
           channels_ == kOutputChannels && length_ > 0;
  }

  std::int64_t lengthFrames() const override { return length_; }

  void mixInto(float* out, std::int64_t from, int frames) override {
    if (from != cursor_) seek(from);
    for (int done = 0; done < frames;) {
      if (bufferAt_ >= bufferFrames()) {
        buffer_.clear();
        bufferAt_ = 0;
        if (failed_ || !FLAC__stream_decoder_process_single(decoder_) || buffer_.empty()) {
          failed_ = true;
          cursor_ += frames - done;  // a damaged file plays silence to its end
          return;
        }
      }
      const int n = static_cast<int>(std::min<std::int64_t>(frames - done, bufferFrames() - bufferAt_));
      const float* src = buffer_.data() + bufferAt_ * kOutputChannels;
      float* dst = out + static_cast<std::ptrdiff_t>(done) * kOutputChannels;
      for (int i = 0; i < n * kOutputChannels; ++i) dst[i] += src[i];
      bufferAt_ += n;
      done += n;
      cursor_ += n;
    }
  }

  // Nothing to decode while silent or rewound: the next sound, not starting
  // where the last one ended, seeks to where it is due.
  void skip(std::int64_t, std::int64_t) override {}

 private:
  std::int64_t bufferFrames() const { return static_cast<std::int64_t>(buffer_.size()) / kOutputChannels; }

  void seek(std::int64_t frame) {
    buffer_.clear();
    bufferAt_ = 0;
    failed_ = false;
    // seek_absolute decodes the frame holding the target into our buffer,
    // starting at the target itself.
    if (!FLAC__stream_decoder_seek_absolute(decoder_, static_cast<FLAC__uint64>(frame))) {
      FLAC__stream_decoder_flush(decoder_);
      failed_ = true;
    }
    cursor_ = frame;
  }

  static FLAC__StreamDecoderWriteStatus onFrame(const FLAC__StreamDecoder*, const FLAC__Frame* frame,
                                                const FLAC__int32* const channels[], void* self) {
    auto& source = *static_cast<FlacSource*>(self);
    const unsigned n = frame->header.blocksize;
    source.buffer_.resize(static_cast<std::size_t>(n) * kOutputChannels);
    for (unsigned i = 0; i < n; ++i)
      for (int c = 0; c < kOutputChannels; ++c)
        source.buffer_[i * kOutputChannels + c] = static_cast<float>(channels[c][i]) / kScale;
    return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;
  }

  static void onMetadata(const FLAC__StreamDecoder*, const FLAC__StreamMetadata* metadata, void* self) {
    auto& source = *static_cast<FlacSource*>(self);
    if (metadata->type != FLAC__METADATA_TYPE_STREAMINFO) return;
    source.rate_ = static_cast<int>(metadata->data.stream_info.sample_rate);
    source.channels_ = static_cast<int>(metadata->data.stream_info.channels);
    source.length_ = static_cast<std::int64_t>(metadata->data.stream_info.total_samples);
  }

  static void onError(const FLAC__StreamDecoder*, FLAC__StreamDecoderErrorStatus, void* self) {
    static_cast<FlacSource*>(self)->failed_ = true;
  }

  FLAC__StreamDecoder* decoder_ = nullptr;
  int rate_ = 0;
  int channels_ = 0;
  std::int64_t length_ = 0;
  std::vector<float> buffer_;  // decoded frames not yet mixed, from bufferAt_
  std::int64_t bufferAt_ = 0;
  std::int64_t cursor_ = 0;  // the frame buffer_[bufferAt_] holds
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<SoundSource> openFlacSource(const std::string& path) {
  auto source = std::make_unique<FlacSource>();
  if (!source->open(path)) return nullptr;
  return source;
}

struct FlacWriter::Encoder {
  FLAC__StreamEncoder* encoder = FLAC__stream_encoder_new();
  std::vector<FLAC__int32> samples;
  bool ok = true;
  ~Encoder() {
    if (encoder) FLAC__stream_encoder_delete(encoder);
  }
};

FlacWriter::FlacWriter() : encoder_(std::make_unique<Encoder>()) {}
FlacWriter::~FlacWriter() = default;

bool FlacWriter::open(const std::string& path, std::int64_t frames) {
  FLAC__StreamEncoder* e = encoder_->encoder;
  if (!e) return false;
  FLAC__stream_encoder_set_channels(e, kOutputChannels);
  FLAC__stream_encoder_set_bits_per_sample(e, 16);
  FLAC__stream_encoder_set_sample_rate(e, kOutputRate);
  FLAC__stream_encoder_set_compression_level(e, 5);
  FLAC__stream_encoder_set_total_samples_estimate(e, static_cast<FLAC__uint64>(frames));
  return FLAC__stream_encoder_init_file(e, path.c_str(), nullptr, nullptr) == FLAC__STREAM_ENCODER_INIT_STATUS_OK;
}

bool FlacWriter::write(const float* samples, int frames) {
  std::vector<FLAC__int32>& ints = encoder_->samples;
  ints.resize(static_cast<std::size_t>(frames) * kOutputChannels);
  for (std::size_t i = 0; i < ints.size(); ++i)
    ints[i] = static_cast<FLAC__int32>(std::lround(std::clamp(samples[i], -1.0f, 1.0f) * kScale));
  encoder_->ok = encoder_->ok && FLAC__stream_encoder_process_interleaved(encoder_->encoder, ints.data(),
                                                                          static_cast<unsigned>(frames));
  return encoder_->ok;
}

bool FlacWriter::finish() { return FLAC__stream_encoder_finish(encoder_->encoder) && encoder_->ok; }

}  // namespace glamora::media
