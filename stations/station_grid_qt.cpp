#include "stations/station_grid_qt.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "stations/cp932.h"
#include "stations/station_editor.h"

int StationGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int StationGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant StationGridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const int p = index.row() + 1;
  if (index.column() == 0) return QString::fromStdString(editor_.CellText(p, 0));
  const std::string& text = editor_.CellRef(p, index.column());
  if (text.empty()) return QString();
  return QString::fromStdString(Cp932ToUtf8(text));
}

QVariant StationGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    if (role == Qt::DisplayRole) return QString::fromStdString(editor_.CellText(section + 1, 0));
    return {};
  }
  if (role != Qt::DisplayRole) return {};
  if (section < 0 || section >= kColumnCount || editor_.DisplayTexts.empty()) return {};
  return QString::fromStdString(
      Cp932ToUtf8(editor_.DisplayTexts[0][static_cast<std::size_t>(section)]));
}

void StationGridModel::Refresh() {
  const int rows = editor_.GridRows();
  if (rows != rows_) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
  } else if (rows_ > 0) {
    emit dataChanged(index(0, 0), index(rows_ - 1, kColumnCount - 1), {Qt::DisplayRole});
  }
}

void StationGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const QPalette& palette = option.palette;
  QColor background = palette.color(QPalette::Base);
  QColor foreground = palette.color(QPalette::Text);
  // The current cell keeps the grid's colour and shows a focus rectangle instead.
  const bool focused = (option.state & QStyle::State_HasFocus) && index.column() != 0;
  if (index.column() == 0) {
    background = palette.color(QPalette::Button);
    foreground = palette.color(QPalette::ButtonText);
  } else if ((option.state & QStyle::State_Selected) && !focused) {
    background = palette.color(QPalette::Highlight);
    foreground = palette.color(QPalette::HighlightedText);
  }
  painter->save();
  painter->fillRect(option.rect, background);
  if (index.column() == 0) {
    // The fixed column's raised edge.
    painter->setPen(palette.color(QPalette::Light));
    painter->drawLine(option.rect.topLeft(), option.rect.topRight());
    painter->drawLine(option.rect.topLeft(), option.rect.bottomLeft());
  }
  painter->setClipRect(option.rect);
  painter->setFont(option.font);
  painter->setPen(foreground);
  painter->drawText(option.rect.adjusted(2, 2, 0, 0),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
  if (focused) {
    QStyleOptionFocusRect frame;
    frame.QStyleOption::operator=(option);
    frame.backgroundColor = background;
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, painter, option.widget);
  }
  painter->restore();
}
