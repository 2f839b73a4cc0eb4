// What the records window and the chart library it loads agree on. The chart
// (Qt Charts) lives in a library of its own, glamora_records_chart, loaded
// with QLibrary only when the window opens, so that the game starts without it.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class QWidget;

namespace glamora::records {

struct ChartData {
  QStringList days;                // one short label a day ("1".."31"), oldest first
  QVector<int> battles, training;  // rounds a day
  QString battlesName, trainingName, axisTitle, countTitle;
};

}  // namespace glamora::records

// Makes the chart widget (nullptr: none); shows data in one made by it.
using MakeRecordsChart = QWidget* (*)(QWidget* parent);
using ShowRecordsChart = void (*)(QWidget* chart, const glamora::records::ChartData& data);
inline constexpr const char* kMakeRecordsChart = "glamoraMakeRecordsChart";
inline constexpr const char* kShowRecordsChart = "glamoraShowRecordsChart";
