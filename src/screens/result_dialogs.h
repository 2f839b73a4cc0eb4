// The four result dialogs, each built the first time it is asked for and kept
// from then on, opened modally when a game ends.
#pragma once

#include <QPointer>

#include <array>
#include <functional>

#include "engine/effects.h"

class QWidget;

namespace glamora {

class BattleResultDialog;
class PictureLibrary;
class ScreenDialog;
class TrainingResultDialog;

class ResultDialogs {
 public:
  // The dialogs are top-level windows over `parent` (which may be null). None is built yet.
  ResultDialogs(const PictureLibrary& library, QWidget* parent = nullptr);
  ~ResultDialogs();
  ResultDialogs(const ResultDialogs&) = delete;
  ResultDialogs& operator=(const ResultDialogs&) = delete;

  // Opens the dialog modally; returns at once.
  void open(Dialog which);
  // The dialog, built now if it has not been yet.
  ScreenDialog& dialog(Dialog which);
  bool isBuilt(Dialog which) const { return !dialogs_[static_cast<int>(which)].isNull(); }

  // The training screen's character choice: rewrites both training dialogs,
  // and a training dialog built later shows it too.
  void setTrainingCharacter(Character character);

  // "もう一度(&R)" of a dialog: told after the dialog has closed.
  std::function<void(Dialog)> onAgain;

 private:
  const PictureLibrary& library_;
  QPointer<QWidget> parent_;
  std::array<QPointer<ScreenDialog>, 4> dialogs_;
  Character trainingCharacter_ = Character::Elna;  // what a training dialog shows when built
};

}  // namespace glamora
