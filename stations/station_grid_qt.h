// The station grid's model and cell drawing: grid row p shows display row Index[p] of the
// editor, converted from CP932 only when a cell is drawn; nothing is copied.
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

class StationEditor;

class StationGridModel : public QAbstractTableModel {
 public:
  explicit StationGridModel(const StationEditor& editor, QObject* parent = nullptr)
      : QAbstractTableModel(parent), editor_(editor) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // The row count or the texts changed.
  void Refresh();

 private:
  const StationEditor& editor_;
  int rows_ = 0;
};

// DataStringGridDrawCell: the fixed column in the heading colour, the selected row in the
// highlight colours, text 2 pixels in from the cell's top left, clipped to the cell.
class StationGridDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};
