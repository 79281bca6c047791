// The summary window of a sequence run: one row per sample (name, status, IBP, FBP,
// repeatability, the messages' counts, the runs calculated, the reason of a failure) read
// from the summary JSON `simdist batch --summary-json` wrote, the runs left out below, and
// the folder of the samples' reports, which a button opens. A double click opens a sample's
// report.
#pragma once

#include <QDialog>
#include <QString>

class QTableWidget;

namespace p528::host {

class SequenceSummaryWindow : public QDialog {
  Q_OBJECT

 public:
  // `summaryJson`: the file's bytes; `folder`: where the samples' files are; `exitText`: how
  // the run ended, in words.
  SequenceSummaryWindow(const QByteArray& summaryJson, const QString& folder, const QString& exitText,
                        QWidget* parent = nullptr);

  QTableWidget* table() const { return table_; }

 private:
  QTableWidget* table_;
  QStringList reports_;  // per row, "" when none
};

}  // namespace p528::host
