// The help viewer: the program's help file (a folder of HTML pages, see help_index.h) with
// its contents, a keyword index and a page on using the viewer.
#pragma once

#include <QCoreApplication>
#include <QWidget>
#include <functional>
#include <vector>

#include "app/help_index.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;

class THelpForm : public QWidget {
  Q_DECLARE_TR_FUNCTIONS(THelpForm)

 public:
  // `helpFile` is the program's path with ".HLP".
  explicit THelpForm(const QString& helpFile, QWidget* parent = nullptr);

  QTabWidget* Tabs;
  QListWidget* Contents_List;
  QLineEdit* Keyword_Edit;
  QListWidget* Keyword_List;
  QPushButton* Show_Button;
  QPushButton* Contents_Button;
  QPushButton* Back_Button;
  QPushButton* Forward_Button;
  QTextBrowser* Help_Browser;

  // The three requests of the help menu.
  void ShowContents();
  void ShowKeywordIndex();  // with an empty keyword
  void ShowUsage();

  // The page shown, as "page.html" or "page.html#id" ("" when the help file is missing).
  QString CurrentPage() const;
  const std::vector<HelpKeyword>& Index() const { return index_; }

  void Keyword_EditChange();
  void ShowKeyword();  // the selected keyword's page

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Open(const QString& target);
  void Present();

  QString folder_;
  std::vector<HelpKeyword> index_;
};

// Turns the title bar's help button (the "What's This?" request) into `onHelp`.
void CatchTitleBarHelp(QObject* owner, std::function<void()> onHelp);
