// The seven help and information screens, each built the first time it is
// asked for and kept from then on, opened modally from the title screen's
// pop-up menu and the game screens' help menus.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <memory>
#include <optional>

#include "screens/player_keys.h"
#include "screens/screen_dialog.h"

class QMenu;
class QWidget;

namespace glamora {

class HowToPlayScreen;
class PictureLibrary;

// In the order of the help menu.
enum class HelpScreen { OperationTable, HowToPlay, VisualHelp, Technique, Characters, MoreFeatures, About };
inline constexpr int kHelpScreenCount = 7;

class HelpScreens {
 public:
  // The screens are top-level windows over `parent` (which may be null);
  // they live until this object or `parent` goes. None is built yet.
  HelpScreens(const PictureLibrary& library, QWidget* parent = nullptr);
  ~HelpScreens();
  HelpScreens(const HelpScreens&) = delete;
  HelpScreens& operator=(const HelpScreens&) = delete;

  // Opens the screen modally; returns at once.
  void open(HelpScreen which);

  // The screen, built now if it has not been yet.
  ScreenDialog& screen(HelpScreen which);
  HowToPlayScreen& howToPlay();
  bool isBuilt(HelpScreen which) const { return !screens_[static_cast<int>(which)].isNull(); }

  // The loaded how-to-play text: shown at once if the screen is built, or
  // kept until it is.
  void setHowToPlayText(const QString& text);
  // The players' keys, shown by the key table (now, or when it is built).
  void setPlayerKeys(const PlayerKeys& keys);

  // Lives as long as this object: the context of connections that use it.
  QObject* lifetime() const { return lifetime_.get(); }

 private:
  const PictureLibrary& library_;
  QPointer<QWidget> parent_;
  std::array<QPointer<ScreenDialog>, kHelpScreenCount> screens_;
  std::optional<QString> howToPlayText_;
  PlayerKeys playerKeys_;
  std::unique_ptr<QObject> lifetime_ = std::make_unique<QObject>();
};

// Appends the seven help items, with a separator before the version
// information, each opening its screen modally (and building it the first
// time). The items do nothing once `screens` is gone.
void addHelpItems(QMenu* menu, HelpScreens& screens);

}  // namespace glamora
