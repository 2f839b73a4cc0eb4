// The how-to-play text: a black box with white text that the start-up step
// fills from the text file beside the game. The user may type into it; the
// edits last until the program ends and are never written anywhere.
#pragma once

#include "screens/screen_dialog.h"

class QPlainTextEdit;

namespace glamora {

class PictureLibrary;

class HowToPlayScreen : public ScreenDialog {
  Q_OBJECT

 public:
  HowToPlayScreen(const PictureLibrary& library, QWidget* parent = nullptr);

  // Replaces the whole content of the box.
  void setText(const QString& text);
  QString text() const;

 protected:
  // The box follows the window's size.
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPlainTextEdit* memo_;
};

}  // namespace glamora
