// Every window in each language: no text cut off by its control, and in English no Japanese
// left but data. A window added later is one line of kWindows.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <algorithm>
#include <functional>
#include <memory>

#include "app/com_option_form.h"
#include "app/exit_form.h"
#include "app/help_form.h"
#include "app/main_form.h"
#include "app/version_form.h"
#include "base/text.h"
#include "net/panadapter_form.h"
#include "record/record_option_form.h"
#include "scanlog/scan_activity_form.h"
#include "scanlog/scan_log_form.h"
#include "settings/language_form.h"
#include "settings/std_option_form.h"
#include "stations/data_form.h"
#include "stations/delete_form.h"
#include "stations/station_csv.h"
#include "survey/band_survey_form.h"
#include "ui/language_qt.h"

namespace {

using Opener = std::function<QWidget*(TMainForm&)>;

struct Window {
  const char* name;
  Opener open;  // builds the window, child of the main window, as the program shows it
};

template <typename F>
F* Shown(F* form) {
  form->show();
  return form;
}

TDataForm* StationList(TMainForm& m) { return new TDataForm(m.editor, &m); }

const Window kWindows[] = {
    {"main window", [](TMainForm& m) -> QWidget* { return &m; }},
    {"station list", [](TMainForm& m) -> QWidget* { return Shown(StationList(m)); }},
    {"station list, edit",
     [](TMainForm& m) -> QWidget* {
       auto* f = Shown(StationList(m));
       f->Edit_Button->click();
       return f;
     }},
    {"station list, find",
     [](TMainForm& m) -> QWidget* {
       auto* f = Shown(StationList(m));
       f->Find_Button->click();
       return f;
     }},
    {"station list, wide",
     [](TMainForm& m) -> QWidget* {
       auto* f = Shown(StationList(m));
       f->ListBSizeSet();
       return f;
     }},
    {"delete question", [](TMainForm& m) -> QWidget* { return Shown(new TDeleteForm(&m)); }},
    {"options", [](TMainForm& m) -> QWidget* { return Shown(new TStdOptionForm(&m)); }},
    {"communication", [](TMainForm& m) -> QWidget* { return Shown(new TComOptionForm(&m)); }},
    {"language", [](TMainForm& m) -> QWidget* { return Shown(new TLanguageForm(m.language, &m)); }},
    {"exit question", [](TMainForm& m) -> QWidget* { return Shown(new TExitForm(&m)); }},
    {"version",
     [](TMainForm& m) -> QWidget* {
       auto* f = new TVersionForm(&m);
       f->Ok_Button->show();
       return Shown(f);
     }},
    {"scan log",
     [](TMainForm& m) -> QWidget* {
       return Shown(new TScanLogForm(&m, m.scanLog, [](std::int32_t) {}));
     }},
    {"help viewer", [](TMainForm& m) -> QWidget* { return Shown(new THelpForm(m.HelpFile, &m)); }},
    {"no-answer notice",
     [](TMainForm& m) -> QWidget* { return m.findChild<QMessageBox*>("NoAnswer_Box"); }},
    {"band survey",
     [](TMainForm& m) -> QWidget* {
       return Shown(new TBandSurveyForm(&m, m.survey, [](std::int32_t) {}));
     }},
    {"recording input",
     [](TMainForm& m) -> QWidget* {
       return Shown(new TRecordOptionForm(&m, QByteArray(), RecordFormat::kFlac));
     }},
    {"panadapter", [](TMainForm& m) -> QWidget* { return Shown(new TPanadapterForm(&m)); }},
    {"scan activity",
     [](TMainForm& m) -> QWidget* {
       return Shown(
           new TScanActivityForm(&m, m.scanLog, QDate::currentDate(), [](std::int32_t) {}));
     }},
    {"skip list", [](TMainForm& m) -> QWidget* { return Shown(new TSkipListForm(&m, m.skips)); }},
};

bool HasJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef)) return true;
  }
  return false;
}

// Names of languages are written in their own language.
bool Allowed(const QString& text) { return text == "日本語"; }

QString Plain(QString text) { return text.remove(QRegularExpression("&(?!&)")); }

struct Finding {
  QStringList cut, japanese;
};

void CheckText(Finding& found, const QString& where, const QString& text) {
  if (ui::English() && HasJapanese(text) && !Allowed(text)) found.japanese << where + ": " + text;
}

void Fits(Finding& found, QWidget* w, const QString& text, int room) {
  const QFontMetrics fm(w->font());
  int need = 0;  // the widest of its lines
  for (const QString& line : Plain(text).split('\n'))
    need = std::max(need, fm.horizontalAdvance(line));
  if (!text.isEmpty() && need > room)
    found.cut << QString("%1 \"%2\": %3 > %4").arg(w->objectName(), text).arg(need).arg(room);
}

Finding Inspect(QWidget* window) {
  Finding found;
  CheckText(found, "title", window->windowTitle());
  QList<QWidget*> all = window->findChildren<QWidget*>();
  all.prepend(window);
  for (QWidget* w : all) {
    // A window of its own (a notice over the panel) is looked at as its own line of kWindows.
    if (w != window && (w->window() != window || !w->isVisibleTo(window))) continue;
    const QString where =
        w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName();
    CheckText(found, where + " tooltip", w->toolTip());
    if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull()) {
      CheckText(found, where, label->text());
      const QRect room = label->contentsRect();
      if (label->wordWrap()) {
        const QRect need =
            QFontMetrics(label->font()).boundingRect(room, Qt::TextWordWrap, Plain(label->text()));
        if (need.height() > room.height()) found.cut << where + ": " + label->text();
      } else {
        Fits(found, label, label->text(), room.width());
      }
    } else if (auto* check = qobject_cast<QCheckBox*>(w); check || qobject_cast<QRadioButton*>(w)) {
      auto* button = static_cast<QAbstractButton*>(w);
      CheckText(found, where, button->text());
      QStyleOptionButton option;
      option.initFrom(button);
      option.text = button->text();
      const QRect room = button->style()->subElementRect(
          check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, button);
      Fits(found, button, button->text(), room.width());
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      CheckText(found, where, button->text());
      Fits(found, button, button->text(), button->contentsRect().width() - 4);
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
      CheckText(found, where, box->title());
      Fits(found, box, box->title(), box->width() - 16);
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
      for (int i = 0; i < tabs->count(); ++i) CheckText(found, where, tabs->tabText(i));
    } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
      for (int s = 0; s < header->count(); ++s) {
        if (header->isSectionHidden(s) || header->sectionSize(s) == 0) continue;
        const QString text = header->model()->headerData(s, header->orientation()).toString();
        CheckText(found, where, text);
        if (header->orientation() == Qt::Horizontal)
          Fits(found, header, text.trimmed(), header->sectionSize(s) - 4);
      }
    }
  }
  if (auto* main = qobject_cast<QMainWindow*>(window)) {
    for (QAction* menu : main->menuBar()->actions()) {
      CheckText(found, "menu", menu->text());
      if (menu->menu())
        for (QAction* item : menu->menu()->actions()) CheckText(found, "menu item", item->text());
    }
  }
  return found;
}

class EveryWindow : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { ASSERT_TRUE(ui::InstallLanguage(GetParam())); }
  void TearDown() override { ui::InstallLanguage(false); }
};

TEST_P(EveryWindow, FitsItsControlsAndSpeaksTheLanguage) {
  for (const Window& opener : kWindows) {
    SCOPED_TRACE(opener.name);
    TMainForm main;
    main.ReleaseSplash();
    main.show();
    QApplication::processEvents();
    QWidget* window = opener.open(main);
    ASSERT_NE(window, nullptr);
    QApplication::processEvents();
    const Finding found = Inspect(window);
    EXPECT_TRUE(found.cut.isEmpty()) << found.cut.join("\n").toStdString();
    EXPECT_TRUE(found.japanese.isEmpty()) << found.japanese.join("\n").toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, EveryWindow, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "English" : "Japanese"; });

// The core's texts follow the same translation.
TEST(CoreTexts, FollowTheInstalledLanguage) {
  ASSERT_TRUE(ui::InstallLanguage(true));
  EXPECT_EQ(text::Tr("Shell", "データーが送れません。"), "Cannot send data.");
  ui::InstallLanguage(false);
  EXPECT_EQ(text::Tr("Shell", "データーが送れません。"), "データーが送れません。");
}

// An import summary in English keeps each count and line number beside its own words.
TEST(CoreTexts, ImportSummaryInEnglish) {
  ASSERT_TRUE(ui::InstallLanguage(true));
  const CsvReadResult read = ReadStationCsv(
      "Location,Name,Frequency,Duplex,Offset,Mode\n0,Café,118.1,,,AM\n1,Low,10,,,FM\n2,,,,,FM\n");
  const std::string summary = CsvImportSummary(PlanCsvImport(read, MemoData{}));
  ui::InstallLanguage(false);
  EXPECT_EQ(summary,
            "Format: CHIRP CSV\n"
            "Lines to add as stations: 1\n"
            "Lines skipped: 2 (1 outside 25 to 2000 MHz, 1 without a frequency)\n"
            "Fields with letters replaced: 1 (1 by near letters, 0 by \"?\")\n"
            "  Line 2, Name: Café → Cafe\n"
            "\n"
            "Line 3: 10.000000 MHz is outside the receiving range (25 to 2000 MHz)\n"
            "Line 4: No frequency\n");
}

}  // namespace
