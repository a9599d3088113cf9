// What a screen reader learns of the panel's custom-drawn controls (the readout, the meter, the
// knob, the lamps): a role, and a value that follows what the control shows. Their names and
// descriptions are the widgets' own accessible name and description.
#pragma once

#include <QAccessible>
#include <QString>

class QWidget;

namespace ui {

// Gives the widget `role`; must come before a screen reader first asks for the widget.
void SetAccessibleRole(QWidget* widget, QAccessible::Role role);
// The value read out for the widget; a change is announced.
void SetAccessibleValue(QWidget* widget, const QString& value);

}  // namespace ui
