// glamora_records_chart: the records window's chart of the last 30 days, in
// a library of its own so that Qt Charts is loaded only with the window.
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>

#include "records_chart_api.h"

namespace {

QFont scaled(const QFont& base, qreal factor) {
  QFont font = base;
  if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * factor);
  else font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * factor)));
  return font;
}

}  // namespace

extern "C" Q_DECL_EXPORT QWidget* glamoraMakeRecordsChart(QWidget* parent) {
  auto* view = new QChartView(parent);
  view->setRenderHint(QPainter::Antialiasing);
  view->setObjectName("recordsChart");
  view->chart()->setMargins(QMargins(4, 4, 4, 4));
  view->chart()->legend()->setAlignment(Qt::AlignTop);
  return view;
}

extern "C" Q_DECL_EXPORT void glamoraShowRecordsChart(QWidget* widget, const glamora::records::ChartData& data) {
  auto* view = static_cast<QChartView*>(widget);
  QChart* chart = view->chart();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  auto* battles = new QBarSet(data.battlesName);
  auto* training = new QBarSet(data.trainingName);
  battles->setColor(QColor(0xd0, 0x40, 0x70));
  training->setColor(QColor(0x40, 0x80, 0xc0));
  int highest = 1;
  for (qsizetype d = 0; d < data.days.size(); ++d) {
    *battles << data.battles.value(d);
    *training << data.training.value(d);
    highest = std::max(highest, data.battles.value(d) + data.training.value(d));
  }
  auto* series = new QStackedBarSeries;
  series->append(battles);
  series->append(training);
  series->setBarWidth(0.8);
  chart->addSeries(series);
  const QFont labels = scaled(view->font(), 0.85);
  auto* days = new QBarCategoryAxis;
  days->append(data.days);
  days->setTitleText(data.axisTitle);
  days->setLabelsFont(labels);
  // Upright, so that two digits fit under a bar at any width.
  days->setLabelsAngle(-90);
  days->setTitleFont(labels);
  chart->addAxis(days, Qt::AlignBottom);
  series->attachAxis(days);
  auto* counts = new QValueAxis;
  // Whole numbers at every tick: up to 5 a tick a round, above in steps of a fifth.
  if (highest > 5) highest = (highest + 4) / 5 * 5;
  counts->setRange(0, highest);
  counts->setLabelFormat("%d");
  counts->setTickCount(std::min(highest, 5) + 1);
  counts->setTitleText(data.countTitle);
  counts->setLabelsFont(labels);
  counts->setTitleFont(labels);
  chart->addAxis(counts, Qt::AlignLeft);
  series->attachAxis(counts);
  chart->legend()->setFont(labels);
}
