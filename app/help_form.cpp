#include "app/help_form.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <QWhatsThis>

#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

namespace {

QString ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

THelpForm::THelpForm(const QString& helpFile, QWidget* parent)
    : QWidget(parent, Qt::Window),
      folder_(QString::fromStdString(HelpLanguageFolder(
          HelpFolder(helpFile.toStdString()), QLocale().language() == QLocale::English))) {
  setObjectName("HelpForm");
  setWindowTitle(tr("IC-R7100 ヘルプ"));
  setFont(ui::ProportionalFont(12));
  resize(760, 540);

  Contents_Button = new QPushButton(tr("目次(&C)"), this);
  Contents_Button->setObjectName("Contents_Button");
  Back_Button = new QPushButton(tr("戻る(&B)"), this);
  Back_Button->setObjectName("Back_Button");
  Forward_Button = new QPushButton(tr("進む(&N)"), this);
  Forward_Button->setObjectName("Forward_Button");
  auto* keys = new QHBoxLayout;
  keys->addWidget(Contents_Button);
  keys->addWidget(Back_Button);
  keys->addWidget(Forward_Button);
  keys->addStretch();

  Tabs = new QTabWidget;
  Tabs->setObjectName("Tabs");
  Contents_List = new QListWidget;
  Contents_List->setObjectName("Contents_List");
  Tabs->addTab(Contents_List, tr("目次"));
  auto* indexPage = new QWidget;
  auto* indexColumn = new QVBoxLayout(indexPage);
  auto* prompt = new QLabel(tr("キーワードを入力してください(&W)"));
  indexColumn->addWidget(prompt);
  Keyword_Edit = new QLineEdit;
  Keyword_Edit->setObjectName("Keyword_Edit");
  prompt->setBuddy(Keyword_Edit);
  indexColumn->addWidget(Keyword_Edit);
  Keyword_List = new QListWidget;
  Keyword_List->setObjectName("Keyword_List");
  indexColumn->addWidget(Keyword_List);
  Show_Button = new QPushButton(tr("表示(&D)"));
  Show_Button->setObjectName("Show_Button");
  indexColumn->addWidget(Show_Button);
  Tabs->addTab(indexPage, tr("キーワード"));

  Help_Browser = new QTextBrowser;
  Help_Browser->setObjectName("Help_Browser");
  Help_Browser->setOpenLinks(true);
  Help_Browser->setSearchPaths({folder_});

  auto* split = new QSplitter;
  split->addWidget(Tabs);
  split->addWidget(Help_Browser);
  split->setStretchFactor(1, 1);
  split->setSizes({220, 540});
  auto* column = new QVBoxLayout(this);
  column->addLayout(keys);
  column->addWidget(split);

  // The contents: the pages the contents page links to, by their titles.
  const QString contents = ReadFile(folder_ + "/" + kHelpContentsPage);
  for (const std::string& page : HelpContentsLinks(contents.toStdString())) {
    const QString name = QString::fromStdString(page);
    const std::string title = HelpPageTitle(ReadFile(folder_ + "/" + name).toStdString());
    auto* item = new QListWidgetItem(title.empty() ? name : QString::fromStdString(title));
    item->setData(Qt::UserRole, name);
    Contents_List->addItem(item);
  }
  index_ = LoadHelpIndex(folder_.toStdString());
  for (const HelpKeyword& k : index_) Keyword_List->addItem(QString::fromStdString(k.keyword));

  connect(Contents_Button, &QPushButton::clicked, this, Guarded([this] { ShowContents(); }));
  connect(Back_Button, &QPushButton::clicked, Help_Browser, &QTextBrowser::backward);
  connect(Forward_Button, &QPushButton::clicked, Help_Browser, &QTextBrowser::forward);
  connect(Help_Browser, &QTextBrowser::backwardAvailable, Back_Button, &QWidget::setEnabled);
  connect(Help_Browser, &QTextBrowser::forwardAvailable, Forward_Button, &QWidget::setEnabled);
  Back_Button->setEnabled(false);
  Forward_Button->setEnabled(false);
  connect(Contents_List, &QListWidget::itemActivated, this,
          Guarded([this](QListWidgetItem* item) { Open(item->data(Qt::UserRole).toString()); }));
  connect(Keyword_Edit, &QLineEdit::textEdited, this, Guarded([this] { Keyword_EditChange(); }));
  connect(Keyword_Edit, &QLineEdit::returnPressed, this, Guarded([this] { ShowKeyword(); }));
  connect(Keyword_List, &QListWidget::itemActivated, this, Guarded([this] { ShowKeyword(); }));
  connect(Show_Button, &QPushButton::clicked, this, Guarded([this] { ShowKeyword(); }));
  Keyword_Edit->installEventFilter(this);
}

void THelpForm::ShowContents() {
  Tabs->setCurrentIndex(0);
  Open(kHelpContentsPage);
  Present();
  Contents_List->setFocus();
}

void THelpForm::ShowKeywordIndex() {
  Tabs->setCurrentIndex(1);
  Keyword_Edit->clear();
  if (Keyword_List->count() > 0) Keyword_List->setCurrentRow(0);
  Present();
  Keyword_Edit->setFocus();
}

void THelpForm::ShowUsage() {
  Open(kHelpUsagePage);
  Present();
  Help_Browser->setFocus();
}

QString THelpForm::CurrentPage() const {
  const QUrl url = Help_Browser->source();
  if (url.isEmpty()) return {};
  QString page = url.fileName();
  if (url.hasFragment()) page += "#" + url.fragment();
  return page;
}

void THelpForm::Open(const QString& target) {
  const QString page = target.section('#', 0, 0);
  if (!QFile::exists(folder_ + "/" + page)) {
    Help_Browser->setSource(QUrl());
    Help_Browser->setHtml(tr("<p>ヘルプファイル %1 が見つかりません。</p>")
                              .arg((folder_ + "/" + page).toHtmlEscaped()));
    return;
  }
  QUrl url = QUrl::fromLocalFile(QDir(folder_).absoluteFilePath(page));
  if (target.contains('#')) url.setFragment(target.section('#', 1));
  Help_Browser->setSource(url);
}

void THelpForm::Present() {
  show();
  raise();
  activateWindow();
}

void THelpForm::Keyword_EditChange() {
  const int row = FindHelpKeyword(index_, Keyword_Edit->text().toStdString());
  if (row >= 0) {
    Keyword_List->setCurrentRow(row);
    Keyword_List->scrollToItem(Keyword_List->item(row), QAbstractItemView::PositionAtTop);
  }
}

void THelpForm::ShowKeyword() {
  const int row = Keyword_List->currentRow();
  if (row < 0 || row >= static_cast<int>(index_.size())) return;
  Open(QString::fromStdString(index_[static_cast<std::size_t>(row)].target));
}

bool THelpForm::eventFilter(QObject* watched, QEvent* event) {
  // The arrows in the keyword line walk the list below it.
  if (watched == Keyword_Edit && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      const int row = std::clamp(Keyword_List->currentRow() + (key == Qt::Key_Up ? -1 : 1), 0,
                                 Keyword_List->count() - 1);
      Keyword_List->setCurrentRow(row);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

namespace {

class TitleBarHelp : public QObject {
 public:
  TitleBarHelp(QObject* owner, std::function<void()> onHelp)
      : QObject(owner), onHelp_(std::move(onHelp)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::EnterWhatsThisMode) {
      // No "What's This?" pointer: the help contents open instead.
      QTimer::singleShot(0, this, [this] {
        QWhatsThis::leaveWhatsThisMode();
        GuardedCall(onHelp_);
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> onHelp_;
};

}  // namespace

void CatchTitleBarHelp(QObject* owner, std::function<void()> onHelp) {
  if (QCoreApplication* app = QCoreApplication::instance())
    app->installEventFilter(new TitleBarHelp(owner, std::move(onHelp)));
}
