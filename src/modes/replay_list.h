// The list of kept rounds: every round of the kept session journals, newest
// first, with its date, screen, stage and result; the chosen one plays in a
// replay window.
#pragma once

#include <QDialog>
#include <QString>
#include <stop_token>
#include <string>
#include <vector>

#include "engine/journal.h"
#include "modes/window_worker.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace glamora {

class PictureLibrary;

struct KeptRound {
  QString file;
  RoundRecord round;
  QString date;  // when the round started, "2026-12-07 21:04:23"
};

// The rounds of the session files in `directory`, newest first: the files by
// their modification times, each file's rounds as its script plays them. A
// file read before and unchanged since is not played again; safe on any thread.
// Asked to stop, it ends soon with what it has read.
std::vector<KeptRound> keptRounds(const std::string& directory, std::stop_token stop = {});

class ReplayList final : public QDialog {
 public:
  // Empty, saying that the rounds are being read, until showRounds().
  explicit ReplayList(const PictureLibrary& pictures, QWidget* parent = nullptr);
  ReplayList(std::vector<KeptRound> rounds, const PictureLibrary& pictures, QWidget* parent = nullptr);
  void showRounds(std::vector<KeptRound> rounds);
  // Reads the rounds of `directory` on a thread of its own, then shows them.
  void readRounds(const std::string& directory);
  QTreeWidget* table() const { return table_; }
  // Plays the selected round in a replay window over the list.
  void playSelected();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void showHeader();
  std::vector<KeptRound> rounds_;
  const PictureLibrary& pictures_;
  QTreeWidget* table_;
  QLabel* status_;
  QPushButton* play_;
  bool replaying_ = false;  // a replay opened from the list is being read or shown
  WindowWorker reader_;
};

void openReplayList(const std::string& directory, const PictureLibrary& pictures, QWidget* parent);

}  // namespace glamora
