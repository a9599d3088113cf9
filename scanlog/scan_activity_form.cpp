#include "scanlog/scan_activity_form.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "scan/identification.h"
#include "scan/skip_list.h"
#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

namespace {

constexpr qint64 kMaxFileBytes = 32 << 20;
constexpr int kWeekDays = 7;

QString MhzText(std::int32_t hz) {
  return QString("%1.%2").arg(hz / 1'000'000).arg(hz % 1'000'000, 6, 10, QChar('0'));
}

// Sorted by the number under UserRole, not by the text.
class NumberItem : public QTreeWidgetItem {
 public:
  using QTreeWidgetItem::QTreeWidgetItem;
  bool operator<(const QTreeWidgetItem& other) const override {
    const int c = treeWidget() ? treeWidget()->sortColumn() : 0;
    return data(c, Qt::UserRole).toLongLong() < other.data(c, Qt::UserRole).toLongLong();
  }
};

QTreeWidget* List(QWidget* parent, const char* name, const QStringList& headings) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(name);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setAllColumnsShowFocus(true);
  list->setHeaderLabels(headings);
  list->header()->setStretchLastSection(true);
  return list;
}

}  // namespace

TScanActivityForm::TScanActivityForm(QWidget* parent, const ScanLog& log, QDate day, Tune tune)
    : QDialog(parent), log_(log), day_(day), tune_(std::move(tune)) {
  setObjectName("TScanActivityForm");
  setWindowTitle(tr("スキャン記録の集計"));
  setFont(ui::ProportionalFont(12));
  resize(460, 380);
  Day_Radio = new QRadioButton(tr("この日(&D)"), this);
  Day_Radio->setObjectName("Day_Radio");
  Week_Radio = new QRadioButton(tr("過去 7 日間(&W)"), this);
  Week_Radio->setObjectName("Week_Radio");
  Day_Radio->setChecked(true);
  Activity_List = List(this, "Activity_List",
                       {tr("周波数 (MHz)"), tr("回数"), tr("時間 (秒)"), tr("最強レベル")});
  Activity_List->setColumnWidth(0, 120);
  Activity_List->setSortingEnabled(true);
  Close_Button = new QPushButton(tr("閉じる(&C)"), this);
  Close_Button->setAutoDefault(false);
  auto* top = new QHBoxLayout;
  top->addWidget(Day_Radio);
  top->addWidget(Week_Radio);
  top->addStretch(1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(Close_Button);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(Activity_List, 1);
  layout->addLayout(bottom);
  connect(Day_Radio, &QRadioButton::toggled, this, Guarded([this](bool) { Fill(); }));
  connect(Activity_List, &QTreeWidget::itemActivated, this,
          Guarded([this](QTreeWidgetItem* item, int) {
            if (item && tune_) tune_(item->data(0, Qt::UserRole).toInt());
          }));
  connect(Close_Button, &QPushButton::clicked, this, &QDialog::accept);
  Fill();
  Activity_List->sortByColumn(1, Qt::DescendingOrder);
}

void TScanActivityForm::Fill() {
  std::vector<ScanLogEntry> entries;
  const int days = Week_Radio->isChecked() ? kWeekDays : 1;
  for (int k = 0; k < days; ++k) {
    QFile file(QString::fromStdString(
        log_.PathFor(day_.addDays(-k).toString("yyyy-MM-dd").toStdString())));
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QByteArray bytes = file.read(kMaxFileBytes);
    for (ScanLogEntry& e : ReadScanLog(std::string_view(bytes.constData(), bytes.size())))
      entries.push_back(std::move(e));
  }
  Activity_List->setSortingEnabled(false);
  Activity_List->clear();
  for (const ActivityRow& r : Activity(entries)) {
    auto* item = new NumberItem(QStringList{MhzText(r.frequency), QString::number(r.stops),
                                            QString::number(r.seconds),
                                            r.level >= 0 ? QString::number(r.level) : QString()});
    const qlonglong values[] = {r.frequency, r.stops, r.seconds, r.level};
    for (int c = 0; c < 4; ++c) {
      item->setData(c, Qt::UserRole, values[c]);
      item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    Activity_List->addTopLevelItem(item);
  }
  Activity_List->setSortingEnabled(true);
  if (Activity_List->topLevelItemCount() > 0)
    Activity_List->setCurrentItem(Activity_List->topLevelItem(0));
}

TSkipListForm::TSkipListForm(QWidget* parent, SkipList& skips) : QDialog(parent), skips_(skips) {
  setObjectName("TSkipListForm");
  setWindowTitle(tr("スキップ一覧"));
  setFont(ui::ProportionalFont(12));
  resize(460, 340);
  Skip_List = List(this, "Skip_List", {tr("周波数 (MHz)"), tr("モード"), tr("名前"), tr("追加日")});
  Skip_List->setColumnWidth(0, 110);
  Skip_List->setColumnWidth(1, 50);
  Skip_List->setColumnWidth(2, 140);
  Remove_Button = new QPushButton(tr("削除(&D)"), this);
  Remove_Button->setObjectName("Remove_Button");
  Close_Button = new QPushButton(tr("閉じる(&C)"), this);
  Remove_Button->setAutoDefault(false);
  Close_Button->setAutoDefault(false);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(Remove_Button);
  bottom->addWidget(Close_Button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Skip_List, 1);
  layout->addLayout(bottom);
  connect(Remove_Button, &QPushButton::clicked, this, Guarded([this] { RemoveSelected(); }));
  connect(Close_Button, &QPushButton::clicked, this, &QDialog::accept);
  Fill();
}

void TSkipListForm::Fill() {
  Skip_List->clear();
  for (const SkipEntry& e : skips_.Entries()) {
    // A temporary skip says so where the date would be: it has none in the file.
    auto* item = new QTreeWidgetItem(
        {MhzText(e.frequency), QString::fromStdString(ModeText(e.mode)),
         QString::fromStdString(e.name),
         e.temporary ? tr("一時 (終了まで)") : QString::fromStdString(e.added)});
    item->setData(0, Qt::UserRole, e.frequency);
    item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    Skip_List->addTopLevelItem(item);
  }
  if (Skip_List->topLevelItemCount() > 0) Skip_List->setCurrentItem(Skip_List->topLevelItem(0));
  Remove_Button->setEnabled(Skip_List->topLevelItemCount() > 0);
}

void TSkipListForm::RemoveSelected() {
  QTreeWidgetItem* item = Skip_List->currentItem();
  if (!item) return;
  const int row = Skip_List->indexOfTopLevelItem(item);
  const SkipList::Change change = skips_.Remove(item->data(0, Qt::UserRole).toInt());
  Fill();
  if (Skip_List->topLevelItemCount() > 0)
    Skip_List->setCurrentItem(
        Skip_List->topLevelItem(std::min(row, Skip_List->topLevelItemCount() - 1)));
  if (!change.error.empty()) {
    QMessageBox box(QMessageBox::Warning, ui::kProgramTitle,
                    tr("スキップの一覧を書き込めません。\n%1\n%2")
                        .arg(QString::fromStdString(skips_.Path()))
                        .arg(QString::fromStdString(change.error)),
                    QMessageBox::Ok, this);
    box.exec();
  }
}
