#include "stations/csv_dialogs_qt.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "stations/station_csv.h"
#include "stations/station_list.h"

namespace {

// The folder the last CSV file was chosen in, for the next dialog.
QString& LastFolder() {
  static QString folder = QDir::homePath();
  return folder;
}

// Qt's own dialog, the same on every desktop and without one (tests, a bare X server).
QString AskFile(QWidget* parent, bool save) {
  QFileDialog dialog(parent, save ? "CSV 書き出し" : "CSV 読み込み", LastFolder(),
                     "CSV (*.csv *.CSV);;すべてのファイル (*)");
  dialog.setObjectName(save ? "CsvExportDialog" : "CsvImportDialog");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (save) {
    dialog.setDefaultSuffix("csv");
    dialog.selectFile("ICLIST.csv");
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().front();
  LastFolder() = QFileInfo(path).absolutePath();
  return path;
}

void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, "IC-R7100", text, QMessageBox::Ok, parent);
  box.setObjectName("CsvMessage");
  box.exec();
}

}  // namespace

void ExportStationsCsv(QWidget* parent, const StationList& stations) {
  const QString path = AskFile(parent, true);
  if (path.isEmpty()) return;
  bool anyKey = false;
  for (int k = 1; k <= 8; ++k) anyKey = anyKey || stations.Data[kMemoryKeyBase + k].Frequency != 0;
  bool withKeys = false;
  if (anyKey) {
    QMessageBox ask(QMessageBox::Question, "IC-R7100", "メモリー (F1～F8) も書き出しますか？",
                    QMessageBox::Yes | QMessageBox::No, parent);
    ask.setObjectName("CsvMemoryQuestion");
    ask.setDefaultButton(QMessageBox::No);
    ask.button(QMessageBox::Yes)->setText("は い");
    ask.button(QMessageBox::No)->setText("い い え");
    withKeys = ask.exec() == QMessageBox::Yes;
  }
  const std::string csv = WriteStationCsv(stations.Data, stations.Indexes.AllIndex, withKeys);
  const std::string reason = WriteFileAtomically(QFile::encodeName(path).toStdString(), csv);
  if (!reason.empty())
    Tell(parent, QMessageBox::Warning,
         path + " に書き込めません (" + QString::fromStdString(reason) + ")。");
}

bool ImportStationsCsv(QWidget* parent, StationList& stations) {
  const QString path = AskFile(parent, false);
  if (path.isEmpty()) return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    Tell(parent, QMessageBox::Warning, path + " を開けません (" + file.errorString() + ")。");
    return false;
  }
  // One byte past the limit is enough to refuse a file that is too large.
  const QByteArray bytes = file.read(static_cast<qint64>(kCsvMaxBytes) + 1);
  const CsvReadResult read =
      ReadStationCsv(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!read.ok) {
    Tell(parent, QMessageBox::Warning, QString::fromStdString(read.error));
    return false;
  }
  const CsvImportPlan plan = PlanCsvImport(read, stations.Data);
  const QString summary = QString::fromStdString(CsvImportSummary(plan));
  if (plan.Empty()) {
    Tell(parent, QMessageBox::Information, summary + "\n追加できる行はありません。");
    return false;
  }
  QMessageBox confirm(QMessageBox::Question, "IC-R7100", summary + "\n追加しますか？",
                      QMessageBox::Ok | QMessageBox::Cancel, parent);
  confirm.setObjectName("CsvImportSummary");
  confirm.button(QMessageBox::Ok)->setText("追 加");
  confirm.button(QMessageBox::Cancel)->setText("やめる");
  if (confirm.exec() != QMessageBox::Ok) return false;
  ApplyCsvImport(plan, stations.Data);
  stations.DataChanged = true;
  return true;
}
