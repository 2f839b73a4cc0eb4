#include "records_window.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLibrary>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeZone>
#include <QVBoxLayout>

#include "records_chart_api.h"

namespace glamora::records {

namespace {

// Where the chart's library is looked for: GLAMORA_RECORDS_CHART, beside the
// program, then where it is installed.
QStringList chartLibraryPlaces() {
  QStringList places;
  const QString fromEnvironment = qEnvironmentVariable("GLAMORA_RECORDS_CHART");
  if (!fromEnvironment.isEmpty()) places << fromEnvironment;
  places << QDir(QCoreApplication::applicationDirPath()).filePath("libglamora_records_chart.so");
  places << QStringLiteral(GLAMORA_INSTALLED_LIB_DIR "/libglamora_records_chart.so");
  return places;
}

QString clockTime(std::int64_t ms) {
  const std::int64_t tenths = ms / 100;
  return QString("%1:%2.%3").arg(tenths / 600).arg(tenths / 10 % 60, 2, 10, QChar('0')).arg(tenths % 10);
}

QTableWidget* makeTable(QWidget* parent, const char* name) {
  auto* table = new QTableWidget(parent);
  table->setObjectName(name);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setStretchLastSection(true);
  table->setWordWrap(false);
  return table;
}

void setCell(QTableWidget* table, int row, int column, const QString& text, bool number = false) {
  auto* item = new QTableWidgetItem(text);
  if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  table->setItem(row, column, item);
}

QString percent(int part, int whole) { return whole ? QString("%1%").arg(100 * part / whole) : QString("-"); }

}  // namespace

RecordsWindow::RecordsWindow(RecordsKeeper& keeper, std::function<void(const std::string&, int)> openReplay,
                             QWidget* parent)
    : QDialog(parent), keeper_(keeper), openReplay_(std::move(openReplay)) {
  setObjectName("recordsWindow");
  auto* layout = new QVBoxLayout(this);
  streaks_ = new QLabel(this);
  streaks_->setObjectName("recordsStreaks");
  layout->addWidget(streaks_);
  loadChart();
  if (chart_) {
    chart_->setMinimumHeight(220);
    layout->addWidget(chart_, 2);
  } else {
    noChart_ = new QLabel(this);
    layout->addWidget(noChart_);
  }
  tabs_ = new QTabWidget(this);
  opponents_ = makeTable(tabs_, "recordsOpponents");
  stages_ = makeTable(tabs_, "recordsStages");
  training_ = makeTable(tabs_, "recordsTraining");
  latest_ = makeTable(tabs_, "recordsLatest");
  for (QTableWidget* table : {opponents_, stages_, training_, latest_}) tabs_->addTab(table, QString());
  opponents_->setColumnCount(5);
  stages_->setColumnCount(4);
  training_->setColumnCount(5);
  latest_->setColumnCount(6);
  layout->addWidget(tabs_, 3);
  status_ = new QLabel(this);
  status_->setObjectName("recordsStatus");
  layout->addWidget(status_);
  auto* buttons = new QHBoxLayout;
  rebuild_ = new QPushButton(this);
  rebuild_->setObjectName("recordsRebuild");
  erase_ = new QPushButton(this);
  erase_->setObjectName("recordsErase");
  close_ = new QPushButton(this);
  close_->setObjectName("recordsClose");
  buttons->addWidget(rebuild_);
  buttons->addWidget(erase_);
  buttons->addStretch();
  buttons->addWidget(close_);
  layout->addLayout(buttons);
  connect(rebuild_, &QPushButton::clicked, this, &RecordsWindow::rebuild);
  connect(erase_, &QPushButton::clicked, this, &RecordsWindow::askToErase);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  connect(latest_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { openLatest(row); });
  // Within the screen at any scale.
  const QSize room = screen() ? screen()->availableGeometry().size() * 0.9 : QSize(900, 700);
  resize(std::min(900, room.width()), std::min(700, room.height()));
  retranslate();
  showRecords();
}

RecordsWindow::~RecordsWindow() {
  // The chart's widgets go before its library's code.
  delete chart_;
  chart_ = nullptr;
}

void RecordsWindow::loadChart() {
  for (const QString& place : chartLibraryPlaces()) {
    chartLibrary_ = new QLibrary(place, this);
    const auto make = reinterpret_cast<MakeRecordsChart>(chartLibrary_->resolve(kMakeRecordsChart));
    if (make && chartLibrary_->resolve(kShowRecordsChart)) {
      chart_ = make(this);
      if (chart_) return;
    }
    delete chartLibrary_;
    chartLibrary_ = nullptr;
  }
}

void RecordsWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    retranslate();
    fillTables();
  }
  QDialog::changeEvent(event);
}

void RecordsWindow::retranslate() {
  setWindowTitle(tr("戦績"));
  tabs_->setTabText(0, tr("相手別"));
  tabs_->setTabText(1, tr("ステージ別"));
  tabs_->setTabText(2, tr("特訓"));
  tabs_->setTabText(3, tr("最近のラウンド"));
  opponents_->setHorizontalHeaderLabels({tr("相手"), tr("ラウンド"), tr("勝ち"), tr("負け"), tr("勝率")});
  stages_->setHorizontalHeaderLabels({tr("ステージ"), tr("ラウンド"), tr("勝ち"), tr("最短の勝ち")});
  training_->setHorizontalHeaderLabels({tr("ステージ"), tr("ラウンド"), tr("クリア"), tr("最高点"), tr("最速クリア")});
  latest_->setHorizontalHeaderLabels({tr("日時"), tr("遊び方"), tr("ステージ"), tr("対戦"), tr("結果"), tr("時間")});
  latest_->setToolTip(tr("ダブルクリックでリプレイを見ます"));
  rebuild_->setText(tr("記録を作り直す(&R)"));
  erase_->setText(tr("戦績を消去(&E)..."));
  close_->setText(tr("閉じる(&C)"));
  if (noChart_) noChart_->setText(tr("グラフを表示できません（Qt Charts が見つかりません）"));
}

void RecordsWindow::showRecords() {
  const std::int64_t now = QDateTime::currentMSecsSinceEpoch();
  const std::int64_t offset = std::int64_t{QDateTime::currentDateTime().offsetFromUtc()} * 1000;
  if (RecordsDatabase* db = keeper_.database()) {
    summary_ = summarize(*db, now, offset);
    status_->clear();
  } else {
    summary_ = SummaryBuilder(now, offset).finish();
    status_->setText(tr("戦績のデータベースを開けません。"));
  }
  fillTables();
}

QString RecordsWindow::sideName(const std::string& side) const {
  static const std::map<std::string, const char*> kLevels = {
      {"cpu:easy", QT_TR_NOOP("コンピュータ：やさしい")},
      {"cpu:normal", QT_TR_NOOP("コンピュータ：ふつう")},
      {"cpu:hard", QT_TR_NOOP("コンピュータ：むずかしい")},
      {"cpu:random", QT_TR_NOOP("コンピュータ：でたらめ")},
  };
  if (const auto level = kLevels.find(side); level != kLevels.end()) return tr(level->second);
  if (isPeerSide(side)) {
    const QString name = QString::fromStdString(side.substr(5));
    return tr("ネット：%1").arg(name.isEmpty() ? tr("名前なし") : name);
  }
  return tr("人間");
}

void RecordsWindow::fillTables() {
  const RecordsSummary& s = summary_;
  streaks_->setText(tr("全 %1 ラウンド　　連勝：いま %2、最長 %3　　特訓の連続クリア：いま %4、最長 %5")
                        .arg(s.rounds)
                        .arg(s.battleWins.current)
                        .arg(s.battleWins.longest)
                        .arg(s.trainingClears.current)
                        .arg(s.trainingClears.longest));
  opponents_->setRowCount(static_cast<int>(s.opponents.size()));
  for (int r = 0; r < static_cast<int>(s.opponents.size()); ++r) {
    const OpponentLine& line = s.opponents[r];
    setCell(opponents_, r, 0, line.mode == PlayMode::Local ? tr("同じキーボードの相手") : sideName(line.opponent));
    setCell(opponents_, r, 1, QString::number(line.rounds), true);
    setCell(opponents_, r, 2, QString::number(line.wins), true);
    setCell(opponents_, r, 3, QString::number(line.losses), true);
    setCell(opponents_, r, 4, percent(line.wins, line.rounds), true);
  }
  const auto stageName = [this](int stage) { return stage == 15 ? tr("オリジナル") : QString::number(stage); };
  stages_->setRowCount(static_cast<int>(s.stages.size()));
  int r = 0;
  for (const auto& [stage, line] : s.stages) {
    setCell(stages_, r, 0, stageName(stage));
    setCell(stages_, r, 1, QString::number(line.rounds), true);
    setCell(stages_, r, 2, QString::number(line.wins), true);
    setCell(stages_, r, 3, line.shortestWinMs ? clockTime(*line.shortestWinMs) : QString("-"), true);
    ++r;
  }
  training_->setRowCount(static_cast<int>(s.training.size()));
  r = 0;
  for (const auto& [stage, line] : s.training) {
    setCell(training_, r, 0, stageName(stage));
    setCell(training_, r, 1, QString::number(line.rounds), true);
    setCell(training_, r, 2, QString::number(line.cleared), true);
    setCell(training_, r, 3, line.bestScore ? QString::number(*line.bestScore) : QString("-"), true);
    setCell(training_, r, 4, line.fastestClearMs ? clockTime(*line.fastestClearMs) : QString("-"), true);
    ++r;
  }
  static const char* const kModes[kPlayModeCount] = {QT_TR_NOOP("二人で対戦"), QT_TR_NOOP("コンピュータと対戦"),
                                                     QT_TR_NOOP("ネット対戦"), QT_TR_NOOP("特訓")};
  latest_->setRowCount(static_cast<int>(s.latest.size()));
  for (r = 0; r < static_cast<int>(s.latest.size()); ++r) {
    const RoundRow& row = s.latest[r];
    setCell(latest_, r, 0, QDateTime::fromMSecsSinceEpoch(row.endedAt).toString("yyyy-MM-dd HH:mm"));
    setCell(latest_, r, 1, tr(kModes[static_cast<int>(row.mode)]));
    setCell(latest_, r, 2, stageName(row.stage));
    setCell(latest_, r, 3,
            isBattle(row) ? tr("%1 対 %2").arg(sideName(row.side1), sideName(row.side2)) : sideName(row.side1));
    QString result;
    if (!isBattle(row)) {
      result = (row.winner == 1 ? tr("クリア（%1／%2）") : tr("失敗（%1／%2）"))
                   .arg(row.score.value_or(0))
                   .arg(row.target.value_or(0));
    } else {
      result = row.winner == 0 ? tr("引き分け") : tr("プレイヤー%1の勝ち").arg(row.winner);
    }
    setCell(latest_, r, 4, result);
    setCell(latest_, r, 5, clockTime(row.lengthMs), true);
  }
  for (QTableWidget* table : {opponents_, stages_, training_, latest_}) table->resizeColumnsToContents();
  showChart();
}

void RecordsWindow::showChart() {
  if (!chart_) return;
  ChartData data;
  for (const DayCount& day : summary_.days) {
    data.days << QString::number(QDateTime::fromMSecsSinceEpoch(day.dayStartMs).date().day());
    data.battles << day.battles;
    data.training << day.training;
  }
  const QDate first = QDateTime::fromMSecsSinceEpoch(summary_.days.front().dayStartMs).date();
  const QDate last = QDateTime::fromMSecsSinceEpoch(summary_.days.back().dayStartMs).date();
  data.battlesName = tr("対戦");
  data.trainingName = tr("特訓");
  data.axisTitle = tr("この30日（%1 〜 %2）").arg(first.toString("M/d"), last.toString("M/d"));
  data.countTitle = tr("ラウンド");
  reinterpret_cast<ShowRecordsChart>(chartLibrary_->resolve(kShowRecordsChart))(chart_, data);
}

void RecordsWindow::openLatest(int row) {
  if (row < 0 || row >= static_cast<int>(summary_.latest.size()) || !openReplay_) return;
  const RoundRow& round = summary_.latest[row];
  openReplay_((keeper_.sessionsDirectory() / round.sessionFile).string(), round.round);
}

void RecordsWindow::rebuild() {
  const int found = keeper_.rebuild();
  showRecords();
  status_->setText(found < 0
                       ? tr("記録を作り直せませんでした。")
                       : tr("記録を作り直しました。残っているセッションに %1 ラウンドが見つかりました。").arg(found));
}

void RecordsWindow::askToErase() {
  auto* box = new QMessageBox(QMessageBox::Question, windowTitle(),
                              tr("戦績を消去しますか？\n\nすべてのラウンドの記録が消えます。"
                                 "残っているセッションからは「記録を作り直す」で戻せます。"),
                              QMessageBox::NoButton, this);
  box->setObjectName("recordsEraseConfirm");
  box->setAttribute(Qt::WA_DeleteOnClose);
  QPushButton* erase = box->addButton(tr("消去する(&Y)"), QMessageBox::AcceptRole);
  box->setDefaultButton(box->addButton(tr("やめる(&N)"), QMessageBox::RejectRole));
  connect(box, &QMessageBox::finished, this, [this, box, erase] {
    if (box->clickedButton() != erase) return;
    const bool erased = keeper_.erase();
    showRecords();
    status_->setText(erased ? tr("戦績を消去しました。") : tr("戦績を消去できませんでした。"));
  });
  box->open();
}

void openRecordsWindow(RecordsKeeper& keeper, std::function<void(const std::string&, int)> openReplay,
                       QWidget* parent) {
  auto* window = new RecordsWindow(keeper, std::move(openReplay), parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->open();
}

}  // namespace glamora::records
