#include "ui/accessible_qt.h"

#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace ui {

namespace {

constexpr char kRole[] = "fennixAccessibleRole";
constexpr char kValue[] = "fennixAccessibleValue";

class PanelAccessible : public QAccessibleWidget {
 public:
  PanelAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return widget()->property(kValue).toString();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  const QVariant role = object->property(kRole);
  if (!role.isValid()) return nullptr;
  return new PanelAccessible(static_cast<QWidget*>(object),
                             static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void SetAccessibleRole(QWidget* widget, QAccessible::Role role) {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
  widget->setProperty(kRole, static_cast<int>(role));
}

void SetAccessibleValue(QWidget* widget, const QString& value) {
  if (widget->property(kValue).toString() == value) return;
  widget->setProperty(kValue, value);
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent event(widget, value);
    QAccessible::updateAccessibility(&event);
  }
}

}  // namespace ui
