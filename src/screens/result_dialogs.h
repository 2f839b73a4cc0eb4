// The four result dialogs, created once and opened modally when a game ends.
#pragma once

#include <QPointer>

#include <array>

#include "engine/effects.h"

class QWidget;

namespace glamora {

class BattleResultDialog;
class PictureLibrary;
class ScreenDialog;
class TrainingResultDialog;

class ResultDialogs {
 public:
  ResultDialogs(const PictureLibrary& library, QWidget* parent = nullptr);
  ~ResultDialogs();
  ResultDialogs(const ResultDialogs&) = delete;
  ResultDialogs& operator=(const ResultDialogs&) = delete;

  // Opens the dialog modally; returns at once.
  void open(Dialog which);
  ScreenDialog& dialog(Dialog which);

  // The training screen's character choice: rewrites both training dialogs.
  void setTrainingCharacter(Character character);

 private:
  const PictureLibrary& library_;
  std::array<QPointer<ScreenDialog>, 4> dialogs_;
};

}  // namespace glamora
