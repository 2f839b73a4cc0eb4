#include "replay_media.h"

#include "errors.h"

namespace glamora {

void MediaState::take(Media player, MediaOp op) {
  const auto p = static_cast<std::size_t>(player);
  // A rewind leaves the music playing or standing; opening is openMedia's.
  if (op == MediaOp::Play) playing[p] = true;
  else if (op == MediaOp::Stop) playing[p] = false;
}

void ReplayEffects::mute() {
  if (muted_) return;
  muted_ = true;
  musicRestarted_ = false;
}

void ReplayEffects::unmute() {
  if (!muted_) return;
  muted_ = false;
  for (int i = 0; i < kMediaCount; ++i) {
    const auto p = static_cast<std::size_t>(i);
    if (due_.files[p].empty() || due_.files[p] == heard_.files[p]) continue;
    // A file that does not open now did not open when the session asked
    // for it either; its error box belonged to that moment.
    try {
      openMedia(static_cast<Media>(i), due_.files[p]);
    } catch (const GameError&) {
    }
  }
  const auto music = static_cast<std::size_t>(Media::Bgm);
  if (due_.playing[music] && (!heard_.playing[music] || musicRestarted_)) {
    media(Media::Bgm, MediaOp::Rewind);
    media(Media::Bgm, MediaOp::Play);
  } else if (!due_.playing[music] && heard_.playing[music]) {
    media(Media::Bgm, MediaOp::Rewind);
    media(Media::Bgm, MediaOp::Stop);
  }
  // A voice is a moment's sound: one begun before the seek has no place
  // after it, one begun during the seek is over or nearly so.
  for (int i = 0; i < kMediaCount; ++i) {
    const auto p = static_cast<std::size_t>(i);
    if (i == static_cast<int>(Media::Bgm)) continue;
    if (heard_.playing[p]) media(static_cast<Media>(i), MediaOp::Stop);
    due_.playing[p] = false;
  }
}

void ReplayEffects::openMedia(Media player, const std::string& path) {
  due_.files[static_cast<std::size_t>(player)] = path;
  if (muted_) return;
  out_.openMedia(player, path);
  heard_.files[static_cast<std::size_t>(player)] = path;
}

void ReplayEffects::media(Media player, MediaOp op) {
  due_.take(player, op);
  if (muted_) {
    if (player == Media::Bgm && op == MediaOp::Rewind) musicRestarted_ = true;
    return;
  }
  heard_.take(player, op);
  out_.media(player, op);
}

void ReplayEffects::openDialog(Dialog dialog) {
  if (!muted_) out_.openDialog(dialog);
}

void ReplayEffects::showError(const Message& text) {
  if (!muted_) out_.showError(text);
}

}  // namespace glamora
