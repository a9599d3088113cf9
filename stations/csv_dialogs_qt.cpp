#include "stations/csv_dialogs_qt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <atomic>
#include <exception>
#include <thread>

#include "stations/station_csv.h"
#include "stations/station_list.h"

namespace {

// The folder the last CSV file was chosen in, for the next dialog.
QString& LastFolder() {
  static QString folder = QDir::homePath();
  return folder;
}

// What an export writes, by the file type chosen in the dialog; the first is the default.
struct ExportChoice {
  const char* filter;
  CsvFormat format;
  CsvEncoding encoding;
  const char* fileName;
};
constexpr ExportChoice kExportChoices[] = {
    {"Fennix CSV, UTF-8 (*.csv)", CsvFormat::kFennix, CsvEncoding::kUtf8, "ICLIST.csv"},
    {QT_TRANSLATE_NOOP("CsvDialogs", "Fennix CSV, UTF-8 BOM 付き・表計算ソフト向け (*.csv)"),
     CsvFormat::kFennix, CsvEncoding::kUtf8Bom, "ICLIST.csv"},
    {"Fennix CSV, Shift-JIS (*.csv)", CsvFormat::kFennix, CsvEncoding::kShiftJis, "ICLIST.csv"},
    {"CHIRP CSV (*.csv)", CsvFormat::kChirp, CsvEncoding::kUtf8, "ICLIST-chirp.csv"},
    {"gqrx bookmarks.csv (*.csv)", CsvFormat::kGqrx, CsvEncoding::kUtf8, "bookmarks.csv"},
};

// Qt's own dialog, the same on every desktop and without one (tests, a bare X server).
// `choice` gets the file type chosen when saving.
QString AskFile(QWidget* parent, bool save, const ExportChoice** choice = nullptr) {
  QStringList filters;
  if (save) {
    for (const ExportChoice& c : kExportChoices)
      filters << QCoreApplication::translate("CsvDialogs", c.filter);
  } else {
    filters << QCoreApplication::translate("CsvDialogs", "CSV・JSON (*.csv *.CSV *.json *.JSON)")
            << QCoreApplication::translate("CsvDialogs", "すべてのファイル (*)");
  }
  QFileDialog dialog(parent,
                     save ? QCoreApplication::translate("CsvDialogs", "CSV 書き出し")
                          : QCoreApplication::translate("CsvDialogs", "CSV 読み込み"),
                     LastFolder());
  dialog.setNameFilters(filters);
  dialog.setObjectName(save ? "CsvExportDialog" : "CsvImportDialog");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (save) {
    dialog.setDefaultSuffix("csv");
    dialog.selectFile("ICLIST.csv");
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& f) {
      const int i = static_cast<int>(filters.indexOf(f));
      if (i >= 0) dialog.selectFile(kExportChoices[i].fileName);
    });
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().front();
  LastFolder() = QFileInfo(path).absolutePath();
  if (choice) {
    const int i = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    *choice = &kExportChoices[i < 0 ? 0 : i];
  }
  return path;
}

void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, "IC-R7100", text, QMessageBox::Ok, parent);
  box.setObjectName("CsvMessage");
  box.exec();
}

// Reads and plans on a worker thread; a large file shows a progress bar meanwhile, and the
// window thread keeps drawing. The list is only read here: the modal bar keeps the user from
// changing it until the plan is made.
struct Reading {
  CsvReadResult read;
  CsvImportPlan plan;
};

Reading ReadOffThread(QWidget* parent, const QByteArray& bytes, const MemoData& data) {
  Reading out;
  const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  std::atomic<int> permille{0};
  std::atomic<bool> cancel{false};
  std::atomic<bool> done{false};
  std::thread worker([&] {
    try {
      out.read = ReadStationCsv(text, [&](std::size_t at, std::size_t total) {
        permille = static_cast<int>(at * 1000 / (total == 0 ? 1 : total));
        return !cancel.load();
      });
      out.plan = PlanCsvImport(out.read, data);
    } catch (const std::exception&) {
      // Out of memory: the file is refused like any other it cannot read.
      out.read = CsvReadResult{};
      out.read.error = QCoreApplication::translate(
                           "CsvDialogs", "メモリーが足りず、ファイルを読み込めませんでした。")
                           .toStdString();
    }
    done = true;
  });
  if (bytes.size() >= static_cast<qsizetype>(kCsvLargeBytes)) {
    QProgressDialog bar(QCoreApplication::translate("CsvDialogs", "読み込んでいます…"),
                        QCoreApplication::translate("CsvDialogs", "やめる"), 0, 1000, parent);
    bar.setObjectName("CsvProgress");
    bar.setWindowTitle("IC-R7100");
    bar.setWindowModality(Qt::WindowModal);
    bar.setMinimumDuration(0);
    while (!done) {
      bar.setValue(permille);
      if (bar.wasCanceled()) cancel = true;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(10);
    }
  }
  worker.join();
  return out;
}

}  // namespace

void ExportStationsCsv(QWidget* parent, const StationList& stations, const StationIndex& found) {
  const ExportChoice* choice = nullptr;
  const QString path = AskFile(parent, true, &choice);
  if (path.isEmpty()) return;
  const StationIndex* which = &stations.Indexes.AllIndex;
  if (found.Count() > 0) {
    QMessageBox ask(
        QMessageBox::Question, "IC-R7100",
        QCoreApplication::translate("CsvDialogs", "検索条件に合う %1 件だけを書き出しますか？")
            .arg(found.Count()),
        QMessageBox::Yes | QMessageBox::No, parent);
    ask.setObjectName("CsvFindQuestion");
    ask.setDefaultButton(QMessageBox::No);
    ask.button(QMessageBox::Yes)->setText(QCoreApplication::translate("CsvDialogs", "は い"));
    ask.button(QMessageBox::No)->setText(QCoreApplication::translate("CsvDialogs", "い い え"));
    if (ask.exec() == QMessageBox::Yes) which = &found;
  }
  std::string bytes;
  QString note;
  if (choice->format == CsvFormat::kFennix) {
    bool anyKey = false;
    for (int k = 1; k <= 8; ++k)
      anyKey = anyKey || stations.Data[kMemoryKeyBase + k].Frequency != 0;
    bool withKeys = false;
    if (anyKey) {
      QMessageBox ask(
          QMessageBox::Question, "IC-R7100",
          QCoreApplication::translate("CsvDialogs", "メモリー (F1～F8) も書き出しますか？"),
          QMessageBox::Yes | QMessageBox::No, parent);
      ask.setObjectName("CsvMemoryQuestion");
      ask.setDefaultButton(QMessageBox::No);
      ask.button(QMessageBox::Yes)->setText(QCoreApplication::translate("CsvDialogs", "は い"));
      ask.button(QMessageBox::No)->setText(QCoreApplication::translate("CsvDialogs", "い い え"));
      withKeys = ask.exec() == QMessageBox::Yes;
    }
    bytes = WriteStationCsv(stations.Data, *which, withKeys, choice->encoding);
  } else {
    CsvExport out = WriteOtherProgramCsv(stations.Data, *which, choice->format);
    bytes = std::move(out.bytes);
    if (out.bandsLeftOut > 0)
      note = QCoreApplication::translate(
                 "CsvDialogs",
                 "帯域 (PROG) の %1 件は書き出していません (%2 は一つの周波数だけを持ちます)。")
                 .arg(out.bandsLeftOut)
                 .arg(choice->format == CsvFormat::kChirp ? "CHIRP" : "gqrx");
  }
  const std::string reason = WriteFileAtomically(QFile::encodeName(path).toStdString(), bytes);
  if (!reason.empty())
    Tell(parent, QMessageBox::Warning,
         QCoreApplication::translate("CsvDialogs", "%1 に書き込めません (%2)。")
             .arg(path, QString::fromStdString(reason)));
  else if (!note.isEmpty())
    Tell(parent, QMessageBox::Information, note);
}

bool ImportStationsCsv(QWidget* parent, StationList& stations) {
  const QString path = AskFile(parent, false);
  if (path.isEmpty()) return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    Tell(parent, QMessageBox::Warning,
         QCoreApplication::translate("CsvDialogs", "%1 を開けません (%2)。")
             .arg(path, file.errorString()));
    return false;
  }
  // One byte past the limit is enough to refuse a file that is too large.
  const QByteArray bytes = file.read(static_cast<qint64>(kCsvMaxBytes) + 1);
  Reading reading = ReadOffThread(parent, bytes, stations.Data);
  if (!reading.read.ok) {
    Tell(parent, QMessageBox::Warning, QString::fromStdString(reading.read.error));
    return false;
  }
  CsvImportPlan& plan = reading.plan;
  const QString summary = QString::fromStdString(CsvImportSummary(plan));
  if (plan.Empty() && plan.duplicates == 0) {
    Tell(parent, QMessageBox::Information,
         QCoreApplication::translate("CsvDialogs", "%1\n追加できる行はありません。").arg(summary));
    return false;
  }
  QMessageBox confirm(QMessageBox::Question, "IC-R7100",
                      QCoreApplication::translate("CsvDialogs", "%1\n追加しますか？").arg(summary),
                      QMessageBox::Ok | QMessageBox::Cancel, parent);
  confirm.setObjectName("CsvImportSummary");
  confirm.button(QMessageBox::Ok)->setText(QCoreApplication::translate("CsvDialogs", "追 加"));
  confirm.button(QMessageBox::Ok)->setEnabled(!plan.Empty());
  confirm.button(QMessageBox::Cancel)->setText(QCoreApplication::translate("CsvDialogs", "やめる"));
  QPushButton* all = nullptr;
  if (plan.duplicates > 0) {
    all = confirm.addButton(QCoreApplication::translate("CsvDialogs", "既にある局も追加"),
                            QMessageBox::AcceptRole);
    all->setObjectName("CsvImportDuplicates");
  }
  confirm.exec();
  if (all && confirm.clickedButton() == all) {
    plan = PlanCsvImport(reading.read, stations.Data, true);
  } else if (confirm.clickedButton() != confirm.button(QMessageBox::Ok)) {
    return false;
  }
  ApplyCsvImport(plan, stations.Data);
  stations.DataChanged = true;
  return true;
}
