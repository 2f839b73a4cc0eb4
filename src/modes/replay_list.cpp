#include "replay_list.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

#include "assets/pictures/picture_library.h"
#include "modes/replay_window.h"
#include "modes/session_files.h"
#include "screens/form_kit.h"

namespace glamora {

std::vector<KeptRound> keptRounds(const std::string& directory) {
  std::vector<KeptRound> rounds;
  if (directory.empty()) return rounds;
  for (const auto& path : keptSessions(directory)) {
    std::string error;
    const std::optional<std::string> text = readSessionFile(path, error);
    if (!text) continue;
    // Rounds as the script plays them; a file that does not replay lists none.
    const SessionNotes notes = readSessionNotes(*text);
    const QDateTime started = QDateTime::fromString(QString::fromStdString(notes.started), Qt::ISODate);
    for (auto r = notes.rounds.rbegin(); r != notes.rounds.rend(); ++r) {
      const QDateTime when = started.isValid() ? started.addMSecs(r->start) : QDateTime();
      const QString date =
          when.isValid() ? when.toString("yyyy-MM-dd HH:mm:ss") : QString::fromStdString(notes.started);
      rounds.push_back({QString::fromStdString(path.string()), *r, date});
    }
  }
  return rounds;
}

ReplayList::ReplayList(std::vector<KeptRound> rounds, const PictureLibrary& pictures, QWidget* parent)
    : QDialog(parent), rounds_(std::move(rounds)), pictures_(pictures) {
  setObjectName("ReplayListForm");
  setWindowTitle("Glamora Ver1.0 - リプレイ");
  setWindowIcon(pictures.programIcon());
  setFont(formFont(12));
  auto* layout = new QVBoxLayout(this);
  table_ = new QTreeWidget(this);
  table_->setObjectName("rounds");
  table_->setRootIsDecorated(false);
  table_->setHeaderLabels({"日時", "画面", "ステージ", "結果"});
  for (const KeptRound& kept : rounds_) {
    const RoundRecord& r = kept.round;
    auto* item = new QTreeWidgetItem(table_);
    item->setText(0, kept.date);
    item->setText(1, modeText(r.mode));
    item->setText(2, r.stage == 15 ? QString("ORIGINAL") : QString::number(r.stage));
    item->setText(3, roundResultText(r.result));
  }
  if (!rounds_.empty()) table_->setCurrentItem(table_->topLevelItem(0));
  table_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->setMinimumSize(460, 280);
  layout->addWidget(table_);
  if (rounds_.empty()) {
    auto* none = new QLabel("保存されたラウンドはありません", this);
    none->setObjectName("empty");
    layout->addWidget(none);
  }
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* play = buttons->addButton("再生(&P)", QDialogButtonBox::AcceptRole);
  play->setObjectName("play");
  play->setEnabled(!rounds_.empty());
  buttons->addButton("閉じる(&C)", QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &ReplayList::playSelected);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(table_, &QTreeWidget::itemActivated, this, &ReplayList::playSelected);
  layout->addWidget(buttons);
}

void ReplayList::playSelected() {
  const int row = table_->indexOfTopLevelItem(table_->currentItem());
  if (row < 0 || row >= static_cast<int>(rounds_.size())) return;
  const KeptRound kept = rounds_[static_cast<std::size_t>(row)];
  QWidget* opener = parentWidget();
  accept();
  openReplay(kept.file, kept.round.number, pictures_, opener);
}

void openReplayList(const std::string& directory, const PictureLibrary& pictures, QWidget* parent) {
  auto* list = new ReplayList(keptRounds(directory), pictures, parent);
  list->setAttribute(Qt::WA_DeleteOnClose);
  list->adjustSize();
  centreOnScreen(list);
  openModal(list);
}

}  // namespace glamora
