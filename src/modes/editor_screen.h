// The original stage editor (TSt15Form): the supply grid pa11..pa68, the NORM
// box psc and the mirror time box ptm. The texts live in EditorValues; every
// edit is written there at once, and every close is refused while a box fails
// the check.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <vector>

#include "engine/editor_values.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace glamora {

class PictureLibrary;

class EditorScreen : public QDialog {
  Q_OBJECT

 public:
  using ErrorBox = std::function<void(const QString& text)>;

  EditorScreen(EditorValues& values, const PictureLibrary& pictures, QWidget* parent = nullptr);

  // psc and ptm can be edited only when opened from training; a disabled box
  // keeps its text and is still checked.
  void setTrainingBoxesEnabled(bool enabled);

  // Where a failed check's message goes: the game's error box unless replaced
  // (tests record the text instead of blocking in a modal box).
  void setErrorBox(ErrorBox errorBox);

  // The check of "&OK" and of every close. A failing box shows its message
  // (the error text and a full stop) and gives false.
  bool checkBoxes();

  QComboBox* box(const EditorBox& box) const;

  // Runs at every attempt to close the form, before its check.
  std::function<void()> onCloseAttempt;

  // Every close (OK, the close box, Escape) ends here: a failing check keeps
  // the form open. The form is only hidden.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildLabels();
  void buildPictures();
  void buildBoxes();
  void showPictures();
  void showValues();
  void return1Click();

  EditorValues& values_;
  const PictureLibrary& pictures_;
  ErrorBox errorBox_;
  std::vector<QComboBox*> boxes_;  // in check order: pa11..pa68, psc, ptm
  std::vector<QLabel*> images_;
  QPushButton* return1_ = nullptr;
  bool closingAfterOk_ = false;  // OK's own attempt is already counted
};

}  // namespace glamora
