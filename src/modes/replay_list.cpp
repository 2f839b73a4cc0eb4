#include "replay_list.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>

#include "assets/pictures/picture_library.h"
#include "engine/stages.h"
#include "modes/replay_window.h"
#include "screens/form_kit.h"
#include "sessions/session_files.h"

namespace glamora {

namespace {

// Each kept file's rounds, remembered by the file's size and time, so that a
// list opened again plays only the files that are new or have grown.
struct FileRounds {
  std::uintmax_t size = 0;
  std::filesystem::file_time_type time;
  std::vector<KeptRound> rounds;
};
std::mutex cacheMutex;
std::map<std::filesystem::path, FileRounds> cache;

std::vector<KeptRound> roundsOfFile(const std::filesystem::path& path, std::stop_token stop) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  const auto time = std::filesystem::last_write_time(path, ec);
  {
    const std::lock_guard lock(cacheMutex);
    const auto kept = cache.find(path);
    if (!ec && kept != cache.end() && kept->second.size == size && kept->second.time == time)
      return kept->second.rounds;
  }
  std::vector<KeptRound> rounds;
  Message error;
  const std::optional<std::string> text = readSessionFile(path, error);
  if (!text) return rounds;
  // Rounds as the script plays them; a file that does not replay lists none.
  const SessionNotes notes = readSessionNotes(*text, stop);
  if (stop.stop_requested()) return rounds;  // cut short: neither listed nor kept
  const QDateTime started = QDateTime::fromString(QString::fromStdString(notes.started), Qt::ISODate);
  for (auto r = notes.rounds.rbegin(); r != notes.rounds.rend(); ++r) {
    const QDateTime when = started.isValid() ? started.addMSecs(r->start) : QDateTime();
    const QString date = when.isValid() ? when.toString("yyyy-MM-dd HH:mm:ss") : QString::fromStdString(notes.started);
    rounds.push_back({QString::fromStdString(path.string()), *r, date});
  }
  if (!ec) {
    const std::lock_guard lock(cacheMutex);
    cache[path] = {size, time, rounds};
  }
  return rounds;
}

}  // namespace

std::vector<KeptRound> keptRounds(const std::string& directory, std::stop_token stop) {
  std::vector<KeptRound> rounds;
  if (directory.empty()) return rounds;
  for (const auto& path : keptSessions(directory)) {
    std::vector<KeptRound> ofFile = roundsOfFile(path, stop);
    rounds.insert(rounds.end(), ofFile.begin(), ofFile.end());
  }
  return rounds;
}

ReplayList::ReplayList(const PictureLibrary& pictures, QWidget* parent) : QDialog(parent), pictures_(pictures) {
  setObjectName("ReplayListForm");
  setWindowTitle("Glamora Ver1.0 - リプレイ");
  setWindowIcon(pictures.programIcon());
  setFont(formFont(12));
  auto* layout = new QVBoxLayout(this);
  table_ = new QTreeWidget(this);
  table_->setObjectName("rounds");
  table_->setRootIsDecorated(false);
  table_->setHeaderLabels({"日時", "画面", "ステージ", "結果"});
  table_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->setMinimumSize(460, 280);
  layout->addWidget(table_);
  status_ = new QLabel("記録を読み込んでいます...", this);
  status_->setObjectName("empty");
  layout->addWidget(status_);
  auto* buttons = new QDialogButtonBox(this);
  play_ = buttons->addButton("再生(&P)", QDialogButtonBox::AcceptRole);
  play_->setObjectName("play");
  play_->setEnabled(false);
  buttons->addButton("閉じる(&C)", QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &ReplayList::playSelected);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(table_, &QTreeWidget::itemActivated, this, &ReplayList::playSelected);
  layout->addWidget(buttons);
}

ReplayList::ReplayList(std::vector<KeptRound> rounds, const PictureLibrary& pictures, QWidget* parent)
    : ReplayList(pictures, parent) {
  showRounds(std::move(rounds));
}

void ReplayList::showRounds(std::vector<KeptRound> rounds) {
  rounds_ = std::move(rounds);
  table_->clear();
  for (const KeptRound& kept : rounds_) {
    const RoundRecord& r = kept.round;
    auto* item = new QTreeWidgetItem(table_);
    item->setText(0, kept.date);
    item->setText(1, translated(modeText(r.mode)));
    item->setText(2, r.stage == kOriginalStage ? QString("ORIGINAL") : QString::number(r.stage));
    item->setText(3, translated(roundResultText(r.result)));
  }
  if (!rounds_.empty()) table_->setCurrentItem(table_->topLevelItem(0));
  status_->setText("保存されたラウンドはありません");
  status_->setVisible(rounds_.empty());
  play_->setEnabled(!rounds_.empty());
}

void ReplayList::playSelected() {
  const int row = table_->indexOfTopLevelItem(table_->currentItem());
  if (row < 0 || row >= static_cast<int>(rounds_.size())) return;
  const KeptRound kept = rounds_[static_cast<std::size_t>(row)];
  QWidget* opener = parentWidget();
  accept();
  openReplay(kept.file.toStdString(), kept.round.number, pictures_, opener);
}

void openReplayList(const std::string& directory, const PictureLibrary& pictures, QWidget* parent) {
  auto* list = new ReplayList(pictures, parent);
  list->setAttribute(Qt::WA_DeleteOnClose);
  list->adjustSize();
  centreOnScreen(list);
  openModal(list);
  list->readRounds(directory);
}

// Playing the kept files to find their rounds can take a while: it runs on a
// thread of its own while the list shows that it is reading; a list closed
// meanwhile stops it.
void ReplayList::readRounds(const std::string& directory) {
  reader_.start(
      this, [directory](std::stop_token stop) { return keptRounds(directory, stop); },
      [this](std::vector<KeptRound> rounds) { showRounds(std::move(rounds)); });
}

}  // namespace glamora
