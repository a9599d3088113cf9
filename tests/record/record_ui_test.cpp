#include <sndfile.h>

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <cmath>

#include "record/record_option_form.h"
#include "record/recorder_ui_qt.h"
#include "scanlog/scan_log_form.h"
#include "support/sim_e2e.h"

namespace {

namespace fs = std::filesystem;

TEST(RecordOptionForm, NoRecordingComesFirstAndAnUnpluggedInputStaysChosen) {
  TRecordOptionForm form(nullptr, "usb-gone", RecordFormat::kOpus);
  EXPECT_EQ(form.Input_ComboBox->itemText(0), "録音しない");
  EXPECT_EQ(form.Input(), QByteArray("usb-gone"));
  EXPECT_EQ(form.Format(), RecordFormat::kOpus);
  form.Input_ComboBox->setCurrentIndex(0);
  EXPECT_TRUE(form.Input().isEmpty());
}

class RecordEndToEnd : public SimEndToEnd {
 protected:
  void SetUp() override {
    // Two seconds of a 1 kHz tone, 16 kHz mono, played in a loop as the receiver's audio.
    SF_INFO info{};
    info.samplerate = 16000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(wav_.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr);
    std::vector<short> tone(32000);
    for (std::size_t i = 0; i < tone.size(); ++i)
      tone[i] = static_cast<short>(6000 * std::sin(2 * M_PI * 1000 * i / 16000.0));
    sf_write_short(f, tone.data(), static_cast<sf_count_t>(tone.size()));
    sf_close(f);
    setenv("FENNIX_AUDIO_FILE", wav_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("FENNIX_AUDIO_FILE");
    fs::remove(wav_);
    SimEndToEnd::TearDown();
  }
  // How long each stretch of recording lasted, in ms, while waiting `ms`.
  std::vector<int> WatchTakes(int ms, const std::function<bool()>& done) {
    std::vector<int> takes;
    std::uint32_t began = 0;
    bool was = false;
    for (int waited = 0; waited < ms && !done(); waited += 5) {
      Wait(5);
      const bool now = form_->recorder.Recording();
      if (now && !was) began = form_->host.TickCount();
      if (!now && was) takes.push_back(static_cast<int>(form_->host.TickCount() - began));
      was = now;
    }
    return takes;
  }
  fs::path wav_ = fs::temp_directory_path() / (tag_ + ".wav");
};

TEST_F(RecordEndToEnd, TwoCarriersLeaveTwoFilesAsLongAsTheHoldsAndTheLogPlaysThem) {
  StartSim({}, "146.000 200 12000 always\n146.100 150 12000 always\n");
  StartProgram();
  form_->show();
  ASSERT_TRUE(form_->Comm1.IsOpen());
  ASSERT_TRUE(form_->recorder.On());
  fs::remove_all(form_->recorder.Folder());
  fs::remove(form_->scanLog.PathFor(form_->scanLog.Today()));
  std::vector<std::string> saved;
  form_->recorderUi->onSaved = [&](const std::string& path) {
    saved.push_back(path);
    form_->scanLogUi->RecordingsChanged();
  };

  form_->scan.ResumeMode = ScanEngine::kDelay;
  form_->scan.StopTime = 2000;
  form_->tuning.Mode[1] = 5;
  form_->tuning.Step[1] = 20000;
  form_->tuning.TrackBar1Change(1459);  // 145.900 MHz
  Wait(1300);                           // the pre-roll fills
  form_->UP_SC_Button->click();
  const std::vector<int> takes =
      WatchTakes(15000, [&] { return form_->tuning.Frequency[1] >= 146200000; });
  form_->ST_SC_Button->click();
  form_->recorder.Flush();
  ASSERT_TRUE(WaitFor([&] { return saved.size() >= 2; }));
  ASSERT_EQ(takes.size(), 2u);
  ASSERT_EQ(saved.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(saved[i]);
    SoundFile f;
    std::string error;
    ASSERT_TRUE(ReadSoundFile(saved[i], f, error)) << error;
    EXPECT_EQ(f.rate, 16000);
    EXPECT_NEAR(f.samples.size() / 16.0, takes[i] + 1000, 150);
    EXPECT_NE(f.comment.find(i == 0 ? "frequency=146000000" : "frequency=146100000"),
              std::string::npos);
  }

  // The log's window marks both lines, plays without a sound card, deletes on request.
  form_->ScanLog_Menu->trigger();
  TScanLogForm* log = form_->scanLogUi->Form();
  ASSERT_EQ(log->Log_List->topLevelItemCount(), 2);
  EXPECT_EQ(log->RecordingAt(log->Log_List->topLevelItem(1)), saved[0]);
  EXPECT_EQ(log->RecordingAt(log->Log_List->topLevelItem(0)), saved[1]);
  log->Log_List->setCurrentItem(log->Log_List->topLevelItem(0));
  ASSERT_TRUE(log->Play_Button->isEnabled());
  log->Play_Button->click();
  Wait(300);
  QTimer::singleShot(0, [log] {
    if (auto* box = log->findChild<QMessageBox*>("DeleteRecording_Box"))
      box->button(QMessageBox::Yes)->click();
  });
  log->DeleteRec_Button->click();
  EXPECT_FALSE(fs::exists(saved[1]));
  EXPECT_EQ(log->RecordingAt(log->Log_List->topLevelItem(0)), "");
  EXPECT_FALSE(log->DeleteRec_Button->isEnabled());
  EXPECT_EQ(messages_, 0);
}

TEST_F(RecordEndToEnd, KeyRRecordsTheTunedFrequencyByHand) {
  StartSim();
  StartProgram();
  form_->show();
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  fs::remove_all(form_->recorder.Folder());
  std::vector<std::string> saved;
  form_->recorderUi->onSaved = [&](const std::string& path) { saved.push_back(path); };
  QTest::keyClick(form_->TrackBar1, Qt::Key_R);
  EXPECT_TRUE(form_->RecordByHand_Menu->isChecked());
  Wait(1500);
  QTest::keyClick(form_->TrackBar1, Qt::Key_R);
  EXPECT_FALSE(form_->RecordByHand_Menu->isChecked());
  form_->recorder.Flush();
  ASSERT_TRUE(WaitFor([&] { return saved.size() == 1; }));
  SoundFile f;
  std::string error;
  ASSERT_TRUE(ReadSoundFile(saved[0], f, error)) << error;
  EXPECT_NEAR(f.samples.size() / 16000.0, 1.5, 0.1);
}

}  // namespace
