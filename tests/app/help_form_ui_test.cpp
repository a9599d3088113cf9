// The help menu's three items and the title bar's help button open the help viewer on the
// right page; the keyword index answers typing; the version window from the menu.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWhatsThis>

#include "app/help_form.h"
#include "app/main_form.h"
#include "app/version_form.h"

namespace {

class HelpMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    form.ReleaseSplash();
    // The help file the build puts beside the program.
    form.HelpFile = FENNIX_BINARY_DIR "/fennix.HLP";
    form.show();
  }
  THelpForm& Viewer() { return *form.HelpViewer(); }
  TMainForm form;
};

TEST_F(HelpMenu, EachItemOpensTheViewerOnItsPage) {
  EXPECT_EQ(form.HelpViewer(), nullptr);
  form.Contents_Menu->trigger();
  ASSERT_NE(form.HelpViewer(), nullptr);
  EXPECT_TRUE(Viewer().isVisible());
  EXPECT_EQ(Viewer().CurrentPage(), "index.html");
  EXPECT_EQ(Viewer().Tabs->currentIndex(), 0);
  EXPECT_GE(Viewer().Contents_List->count(), 8);
  EXPECT_TRUE(Viewer().Help_Browser->toPlainText().contains("目次"));

  form.Help_Menu->trigger();
  EXPECT_EQ(Viewer().CurrentPage(), "howto.html");
  EXPECT_TRUE(Viewer().Help_Browser->toPlainText().contains("ヘルプの使い方"));

  Viewer().Keyword_Edit->setText("left over");
  form.Keyword_Menu->trigger();
  EXPECT_EQ(Viewer().Tabs->currentIndex(), 1);
  EXPECT_EQ(Viewer().Keyword_Edit->text(), "");
  EXPECT_GT(Viewer().Keyword_List->count(), 100);
  // One viewer for the whole run.
  form.Contents_Menu->trigger();
  int viewers = 0;
  for (QWidget* w : form.findChildren<QWidget*>())
    viewers += dynamic_cast<THelpForm*>(w) != nullptr;
  EXPECT_EQ(viewers, 1);
  EXPECT_EQ(Viewer().CurrentPage(), "index.html");
}

TEST_F(HelpMenu, ATypedKeywordShowsItsPlace) {
  form.Keyword_Menu->trigger();
  QTest::keyClicks(Viewer().Keyword_Edit, "delay");  // letters match without case
  const int row = Viewer().Keyword_List->currentRow();
  ASSERT_GE(row, 0);
  EXPECT_EQ(Viewer().Keyword_List->item(row)->text(), "DELAY");
  QTest::keyClick(Viewer().Keyword_Edit, Qt::Key_Return);
  EXPECT_EQ(Viewer().CurrentPage(), "scan.html#resume");
  // The contents list opens its pages too.
  Viewer().Tabs->setCurrentIndex(0);
  QListWidgetItem* linux = nullptr;
  for (int i = 0; i < Viewer().Contents_List->count(); ++i)
    if (Viewer().Contents_List->item(i)->text().contains("Linux"))
      linux = Viewer().Contents_List->item(i);
  ASSERT_NE(linux, nullptr);
  emit Viewer().Contents_List->itemActivated(linux);
  EXPECT_EQ(Viewer().CurrentPage(), "linux.html");
}

TEST_F(HelpMenu, TheTitleBarHelpButtonOpensTheContents) {
  QWhatsThis::enterWhatsThisMode();
  QTRY_VERIFY(form.HelpViewer() && Viewer().isVisible());
  EXPECT_EQ(Viewer().CurrentPage(), "index.html");
  EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
}

TEST_F(HelpMenu, AMissingHelpFileIsNamed) {
  form.HelpFile = "/nonexistent/fennix.HLP";
  form.Contents_Menu->trigger();
  EXPECT_TRUE(Viewer().Help_Browser->toPlainText().contains("/nonexistent/fennix.HLP"));
  EXPECT_EQ(Viewer().Contents_List->count(), 0);
}

TEST(VersionWindow, FromTheMenuWithOkAndWithoutTheProgressBar) {
  TMainForm form;
  form.ReleaseSplash();
  form.show();
  bool seen = false;
  QTimer::singleShot(50, [&] {
    auto* version = dynamic_cast<TVersionForm*>(QApplication::activeModalWidget());
    ASSERT_NE(version, nullptr);
    seen = true;
    EXPECT_TRUE(version->Ok_Button->isVisible());
    EXPECT_FALSE(version->Start_ProgressBar->isVisible());
    EXPECT_EQ(version->Label2->text(), "Version 0.63");
    EXPECT_EQ(version->size(), QSize(314, 229));
    QTest::mouseClick(version->Ok_Button, Qt::LeftButton);
  });
  form.MenuVer->trigger();
  EXPECT_TRUE(seen);
  // Released after it closed.
  for (QDialog* d : form.findChildren<QDialog*>())
    EXPECT_EQ(dynamic_cast<TVersionForm*>(d), nullptr);
}

// In English the viewer reads the English set: its contents, keywords and pages.
TEST(HelpLanguage, EnglishListenersGetTheEnglishPages) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
  THelpForm viewer(FENNIX_BINARY_DIR "/fennix.HLP");
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  viewer.ShowContents();
  EXPECT_EQ(viewer.Contents_List->item(0)->text(), "Front panel keys and lamps");
  EXPECT_TRUE(viewer.Help_Browser->toPlainText().contains("Getting started"));
  viewer.Keyword_Edit->setText("resume rule");
  viewer.Keyword_EditChange();
  viewer.ShowKeyword();
  EXPECT_EQ(viewer.CurrentPage(), "scan.html#resume");
}

}  // namespace
