// "オプション(&O)" → "音量(&V)...": a slider for the music and one for the
// voices, 0 to 100 %. Each move is told at once, so the sound changes while
// the slider moves; the on/off switches of the menus stay as they are.
#pragma once

#include <QDialog>
#include <functional>

class QEvent;
class QLabel;
class QPushButton;
class QSlider;

namespace glamora {

class VolumeWindow final : public QDialog {
  Q_OBJECT

 public:
  // `changed` gets both levels, in percent, whenever a slider moves.
  VolumeWindow(QWidget* parent, std::function<void(int music, int voices)> changed);

  // Shows the levels chosen elsewhere (at start, from the settings); tells nothing.
  void showLevels(int music, int voices);
  int music() const;
  int voices() const;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  struct Row {
    QLabel* caption = nullptr;
    QSlider* slider = nullptr;
    QLabel* value = nullptr;
  };
  Row addRow(const char* name);
  void retranslate();
  void showValues();

  std::function<void(int, int)> changed_;
  Row music_, voices_;
  QLabel* note_ = nullptr;
  QPushButton* close_ = nullptr;
  bool showing_ = false;
};

}  // namespace glamora
