// The records window over a database of a few rounds: its tables and chart,
// a double click on a round asking for its replay, the rebuild saying how many
// rounds it found, and the erasing, which asks first.
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "records_window/records_window.h"

namespace glamora::records {
namespace {

struct RecordsWindowTest : ::testing::Test {
  QTemporaryDir home;
  std::ostringstream log;
  std::string sessions = home.path().toStdString() + "/sessions";
  RecordsKeeper keeper{sessions, log};
  std::vector<std::pair<std::string, int>> replays;

  void SetUp() override {
    qputenv("GLAMORA_RECORDS_CHART", GLAMORA_RECORDS_CHART_PATH);  // the chart's library as built
    const std::int64_t now = QDateTime::currentMSecsSinceEpoch();
    keeper.database()->add(
        {now - 3000, PlayMode::Computer, 4, "person", "cpu:hard", 1, 42'300, {}, {}, "a.session", 1, -1});
    keeper.database()->add(
        {now - 2000, PlayMode::Network, 2, "peer:elna-pc", "person", 1, 30'000, {}, {}, "n.session", 1, 1});
    keeper.database()->add({now - 1000, PlayMode::Training, 1, "person", "", 1, 25'000, 1620, 1500, "a.session", 2,
                            -1});
  }
  std::unique_ptr<RecordsWindow> open() {
    return std::make_unique<RecordsWindow>(keeper, [this](const std::string& path, int round) {
      replays.emplace_back(path, round);
    });
  }
  static QString cell(const QTableWidget* table, int row, int column) { return table->item(row, column)->text(); }
};

TEST_F(RecordsWindowTest, ShowsTheTablesAndTheChartAndADoubleClickAsksForTheReplay) {
  auto window = open();
  EXPECT_TRUE(window->hasChart());
  const auto* opponents = window->findChild<QTableWidget*>("recordsOpponents");
  ASSERT_EQ(opponents->rowCount(), 2);
  EXPECT_EQ(cell(opponents, 0, 0), "コンピュータ：むずかしい");
  EXPECT_EQ(cell(opponents, 1, 0), "ネット：elna-pc");
  EXPECT_EQ(cell(opponents, 1, 3), "1");  // the joiner lost to elna-pc
  const auto* training = window->findChild<QTableWidget*>("recordsTraining");
  EXPECT_EQ(cell(training, 0, 3), "1620");
  EXPECT_EQ(cell(training, 0, 4), "0:25.0");
  EXPECT_EQ(window->summary().days.back().battles, 2);

  QTableWidget* latest = window->latestTable();
  ASSERT_EQ(latest->rowCount(), 3);
  EXPECT_EQ(cell(latest, 0, 4), "クリア（1620／1500）");
  emit latest->cellDoubleClicked(2, 0);
  ASSERT_EQ(replays.size(), 1u);
  EXPECT_EQ(replays[0], std::pair(sessions + "/a.session", 1));
}

TEST_F(RecordsWindowTest, RebuildSaysHowManyRoundsItFoundAndErasingAsksFirst) {
  std::filesystem::create_directories(sessions);
  std::ofstream(sessions + "/20261207-210411.session")
      << "# Glamora 1.0 session 2026-12-07T21:04:11+09:00\ncpu 2 easy 3\nstage 1\nwait 900000\n";
  auto window = open();
  window->rebuild();
  EXPECT_EQ(window->findChild<QLabel*>("recordsStatus")->text(),
            "記録を作り直しました。残っているセッションに 1 ラウンドが見つかりました。");
  EXPECT_EQ(window->summary().rounds, 4);

  for (const bool agree : {false, true}) {
    window->askToErase();
    auto* box = window->findChild<QMessageBox*>("recordsEraseConfirm");
    ASSERT_TRUE(box);
    const QString button = agree ? "消去する(&Y)" : "やめる(&N)";
    for (QAbstractButton* b : box->buttons()) {
      if (b->text() == button) b->click();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(keeper.database()->count(), agree ? 0 : 4);
  }
  EXPECT_EQ(window->summary().rounds, 0);
}

}  // namespace
}  // namespace glamora::records
