// "戦績(&T)...": what this player has done, from the records database. Tables
// by opponent, by stage and of training, the streaks, the rounds of the last
// 30 days as a chart, and the latest rounds, a double click on one opening
// its replay; "記録を作り直す" rebuilds the rows from the kept session files,
// "戦績を消去..." erases them after asking.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "records/records_keeper.h"
#include "records/records_summary.h"

class QLabel;
class QLibrary;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace glamora::records {

class RecordsWindow final : public QDialog {
  Q_OBJECT

 public:
  // `openReplay` plays round `round` of the session file at `path`.
  RecordsWindow(RecordsKeeper& keeper, std::function<void(const std::string& path, int round)> openReplay,
                QWidget* parent = nullptr);
  ~RecordsWindow() override;

  // Reads the database again and shows it.
  void showRecords();
  void rebuild();
  // Asks first; erases when agreed.
  void askToErase();

  const RecordsSummary& summary() const { return summary_; }
  QTableWidget* latestTable() const { return latest_; }
  bool hasChart() const { return chart_ != nullptr; }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void retranslate();
  void fillTables();
  void showChart();
  void loadChart();
  void openLatest(int row);
  QString sideName(const std::string& side) const;

  RecordsKeeper& keeper_;
  std::function<void(const std::string&, int)> openReplay_;
  RecordsSummary summary_;
  QLabel* streaks_;
  QLabel* status_;
  QWidget* chart_ = nullptr;
  QLabel* noChart_ = nullptr;
  QLibrary* chartLibrary_ = nullptr;
  QTabWidget* tabs_;
  QTableWidget* opponents_;
  QTableWidget* stages_;
  QTableWidget* training_;
  QTableWidget* latest_;
  QPushButton* rebuild_;
  QPushButton* erase_;
  QPushButton* close_;
};

// The window over `parent`, modal, deleted when closed.
void openRecordsWindow(RecordsKeeper& keeper, std::function<void(const std::string& path, int round)> openReplay,
                       QWidget* parent);

}  // namespace glamora::records
