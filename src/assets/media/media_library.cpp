#include "media_library.h"

namespace glamora::media {

MediaLibrary::MediaLibrary(std::unique_ptr<AudioOutput> output, std::vector<std::string> soundFonts)
    : output_(std::move(output)) {
  for (std::size_t m = 0; m < players_.size(); ++m) {
    players_[m] = std::make_unique<MediaPlayer>(*output_, soundFonts, soundKindOf(static_cast<Media>(m)));
  }
}

MediaLibrary::~MediaLibrary() {
  for (auto& p : players_) p.reset();
}

void MediaLibrary::open(Media player, const std::string& path) { this->player(player).open(path); }

void MediaLibrary::apply(Media player, MediaOp op) {
  MediaPlayer& p = this->player(player);
  switch (op) {
    case MediaOp::Open:
      if (p.isOpen()) p.open(p.path());
      break;
    case MediaOp::Play: p.play(); break;
    case MediaOp::Stop: p.stop(); break;
    case MediaOp::Rewind: p.rewind(); break;
  }
}

SoundKind soundKindOf(Media player) { return player == Media::Bgm ? SoundKind::Music : SoundKind::Voices; }

MediaPlayer& MediaLibrary::player(Media player) { return *players_.at(static_cast<std::size_t>(player)); }

}  // namespace glamora::media
