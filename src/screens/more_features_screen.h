// "その他の機能": what goes beyond the game's own rules, section by section:
// computer players, network battles, replays, the keys, the display size,
// the volume and the records. White text on black in a scrolled box, like
// the how-to-play text, but read only and in the program's language.
#pragma once

#include "screens/screen_dialog.h"

class QEvent;
class QTextBrowser;

namespace glamora {

class PictureLibrary;

class MoreFeaturesScreen : public ScreenDialog {
  Q_OBJECT

 public:
  MoreFeaturesScreen(const PictureLibrary& library, QWidget* parent = nullptr);

  // The sections' headings, in order, as shown now.
  QStringList headings() const;
  QString text() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void retranslate();

  QTextBrowser* box_;
};

}  // namespace glamora
