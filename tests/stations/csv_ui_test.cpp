// The file menu's CSV items on the main window, driven through their dialogs as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <functional>

#include "app/main_form.h"
#include "stations/cp932.h"
#include "stations/find.h"
#include "stations/station_csv.h"
#include "tests/stations/temp_folder.h"

namespace {

// Answers the modal dialogs that open next, one step per dialog, in order.
class ModalDriver {
 public:
  using Step = std::function<void(QWidget*)>;
  explicit ModalDriver(std::deque<Step> steps) : steps_(std::move(steps)) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* w = QApplication::activeModalWidget();
      // A progress bar is not answered; the dialog after it is.
      if (!w || qobject_cast<QProgressDialog*>(w)) return;
      if (w == last_.data()) {
        // A file dialog still loading its folder may refuse the first accept: try again.
        if (++waits_ % 20 == 0 && current_) current_(w);
        return;
      }
      if (steps_.empty()) return;
      last_ = w;
      waits_ = 0;
      current_ = std::move(steps_.front());
      steps_.pop_front();
      current_(w);
    });
    timer_.start();
  }
  bool Done() const { return steps_.empty(); }

 private:
  QTimer timer_;
  QPointer<QWidget> last_;
  Step current_;
  int waits_ = 0;
  std::deque<Step> steps_;
};

ModalDriver::Step ChooseFile(const std::string& path) {
  return [path](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr) << w->metaObject()->className();
    // Typed into the name field, as a user would: selecting a file that the folder view has
    // already listed may leave the selection empty.
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromStdString(path));
    static_cast<QDialog*>(dialog)->accept();  // as the Open or Save key does
  };
}

ModalDriver::Step Press(QMessageBox::StandardButton button, QString* text = nullptr,
                        QString objectName = {}) {
  return [=](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr) << w->metaObject()->className();
    if (!objectName.isEmpty()) {
      EXPECT_EQ(box->objectName(), objectName);
    }
    if (text) *text = box->text();
    box->button(button)->click();
  };
}

std::string SourceData(const std::string& name) {
  return std::string(FENNIX_SOURCE_DIR) + "/tests/stations/data/" + name;
}

TEST(CsvMenu, FileMenuHoldsBothItemsBeforeTheExits) {
  TMainForm form;
  form.ReleaseSplash();
  const QList<QAction*> items = form.menuBar()->actions().front()->menu()->actions();
  ASSERT_GE(items.size(), 3);
  EXPECT_EQ(items[0]->text(), "CSV 書き出し(&E)...");
  EXPECT_EQ(items[1]->text(), "CSV 読み込み(&I)...");
  EXPECT_TRUE(items[2]->isSeparator());
}

TEST(CsvMenu, ImportShowsTheSummaryAndAddsOnlyWhenConfirmed) {
  TMainForm form;
  form.ReleaseSplash();
  form.editor.FormCreate();  // as the station list window does at start-up
  QString summary;
  {
    // Cancelled at the summary: nothing changes.
    ModalDriver driver({ChooseFile(SourceData("gqrx_bookmarks.csv")),
                        Press(QMessageBox::Cancel, &summary, "CsvImportSummary")});
    form.CsvImport->trigger();
    EXPECT_TRUE(driver.Done());
  }
  EXPECT_TRUE(summary.contains("局として追加する行: 5")) << summary.toStdString();
  EXPECT_TRUE(summary.contains("受信範囲 (25～2000 MHz) の外 2"));
  EXPECT_TRUE(summary.contains("11 行目: 7.100000 MHz は受信範囲 (25～2000 MHz) の外です"));
  EXPECT_FALSE(form.stations.DataChanged);
  EXPECT_EQ(form.stations.Indexes.AllIndex.Count(), 0);

  {
    ModalDriver driver({ChooseFile(SourceData("gqrx_bookmarks.csv")), Press(QMessageBox::Ok)});
    form.CsvImport->trigger();
    EXPECT_TRUE(driver.Done());
  }
  EXPECT_TRUE(form.stations.DataChanged);
  // The indexes are rebuilt in frequency order at once.
  ASSERT_EQ(form.stations.Indexes.AllIndex.Count(), 5);
  EXPECT_EQ(form.stations.Indexes.SingleIndex.Count(), 5);
  const MemoRecord& lowest = form.stations.Data[form.stations.Indexes.AllIndex[1]];
  EXPECT_EQ(lowest.Frequency, 80000000);
  EXPECT_EQ(Cp932ToUtf8(lowest.Name.View()), "NHK FM");
  // The station list window shows them without a restart.
  EXPECT_EQ(
      Cp932ToUtf8(
          form.editor.DisplayTexts[static_cast<std::size_t>(form.stations.Indexes.AllIndex[1])][3]),
      "NHK FM");
}

TEST(CsvMenu, AMalformedFileIsReportedAndChangesNothing) {
  TempFolder dir;
  WriteFileBytes(dir / "bad.csv", "Location,Name,Frequency,Mode\n0,a,145.0,FM\n");
  TMainForm form;
  form.ReleaseSplash();
  QString message;
  ModalDriver driver({ChooseFile(dir / "bad.csv"), Press(QMessageBox::Ok, &message, "CsvMessage")});
  form.CsvImport->trigger();
  EXPECT_TRUE(driver.Done());
  EXPECT_TRUE(message.contains("\"Duplex\"")) << message.toStdString();
  EXPECT_FALSE(form.stations.DataChanged);
  EXPECT_EQ(form.stations.Data, MemoData{});
}

TEST(CsvMenu, ExportWritesTheListAndTheMemoryKeysWhenAsked) {
  TempFolder dir;
  TMainForm form;
  form.ReleaseSplash();
  form.stations.Data[4].Frequency = 145000000;
  form.stations.Data[4].Name.Assign(Utf8ToCp932("東京"));
  form.stations.Data[10001].Frequency = 80000000;
  form.stations.AutoMode_IdxInit();

  ModalDriver driver(
      {ChooseFile(dir / "list.csv"), Press(QMessageBox::Yes, nullptr, "CsvMemoryQuestion")});
  form.CsvExport->trigger();
  EXPECT_TRUE(driver.Done());
  EXPECT_EQ(ReadFileBytes(dir / "list.csv"),
            WriteStationCsv(form.stations.Data, form.stations.Indexes.AllIndex, true));
  EXPECT_NE(ReadFileBytes(dir / "list.csv").find(",東京,145.000000,"), std::string::npos);
  EXPECT_FALSE(form.stations.DataChanged);

  // After a find, only the stations it meets, when the user says so.
  form.stations.Data[5].Frequency = 433000000;
  form.stations.Data[5].Name.Assign(Utf8ToCp932("大阪"));
  form.stations.AutoMode_IdxInit();
  form.editor.FindSave[kFindName] = Utf8ToCp932("東京");
  ModalDriver found({ChooseFile(dir / "found.csv"),
                     Press(QMessageBox::Yes, nullptr, "CsvFindQuestion"),
                     Press(QMessageBox::No, nullptr, "CsvMemoryQuestion")});
  form.CsvExport->trigger();
  EXPECT_TRUE(found.Done());
  const std::string text = ReadFileBytes(dir / "found.csv");
  EXPECT_NE(text.find("東京"), std::string::npos);
  EXPECT_EQ(text.find("大阪"), std::string::npos);
}

// Duplicates added only on request; an export as gqrx's type reads back as gqrx bookmarks.
TEST(CsvMenu, DuplicatesOnRequestAndTheExportTypeChosenInTheDialog) {
  TMainForm form;
  form.ReleaseSplash();
  form.editor.FormCreate();
  const std::string gqrx = SourceData("gqrx_bookmarks.csv");
  QString summary;
  auto pressDuplicates = [&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    summary = box->text();
    box->findChild<QPushButton*>("CsvImportDuplicates")->click();
  };
  for (const auto& last : {Press(QMessageBox::Ok), ModalDriver::Step(pressDuplicates)}) {
    ModalDriver driver({ChooseFile(gqrx), last});
    form.CsvImport->trigger();
    EXPECT_TRUE(driver.Done());
  }
  EXPECT_TRUE(summary.contains("既にある局: 5")) << summary.toStdString();
  EXPECT_EQ(form.stations.Indexes.AllIndex.Count(), 10);

  // A large file is read off the window thread, and its summary comes all the same.
  TempFolder dir;
  std::string large = "# Frequency ; Name ; Modulation ; Bandwidth\n";
  for (int i = 0; large.size() < kCsvLargeBytes; ++i)
    large += std::to_string(300000000 + i * 1000) + "; Large " + std::to_string(i) + "; AM; 0\n";
  WriteFileBytes(dir / "large.csv", large);
  {
    ModalDriver driver({ChooseFile(dir / "large.csv"), Press(QMessageBox::Cancel, &summary)});
    form.CsvImport->trigger();
    EXPECT_TRUE(driver.Done());
  }
  EXPECT_TRUE(summary.contains("局として追加する行: 9,077")) << summary.toStdString();

  ModalDriver driver({[&](QWidget* w) {
    qobject_cast<QFileDialog*>(w)->selectNameFilter("gqrx bookmarks.csv (*.csv)");
    ChooseFile(dir / "bookmarks.csv")(w);
  }});
  form.CsvExport->trigger();
  EXPECT_TRUE(driver.Done());
  const CsvReadResult read = ReadStationCsv(ReadFileBytes(dir / "bookmarks.csv"));
  EXPECT_EQ(read.format, CsvFormat::kGqrx);
  EXPECT_EQ(read.rows.size(), 10u);
}

}  // namespace
