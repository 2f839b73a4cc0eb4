// The game's effects: media through the media library, result dialogs shown
// modally, and the game's error box.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "assets/media/media_library.h"
#include "engine/effects.h"

namespace glamora {

class GameEffects final : public Effects {
 public:
  explicit GameEffects(media::MediaLibrary& media) : media_(media) {}

  // Gives the window of a result dialog when it is to open (null: none).
  std::function<QDialog*(Dialog)> dialogWindow;
  // Where error texts go: the game's error box unless replaced (tests record them).
  std::function<void(const QString&)> errorBox;

  void openMedia(Media player, const std::string& path) override { media_.open(player, path); }
  void media(Media player, MediaOp op) override { media_.apply(player, op); }
  void openDialog(Dialog dialog) override;
  void showError(const Message& text) override;

 private:
  media::MediaLibrary& media_;
};

}  // namespace glamora
