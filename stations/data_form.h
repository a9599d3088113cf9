// The station list window: the grid of stations and bands with its edit panel.
#pragma once

#include <QDialog>

class QPushButton;

class TDataForm : public QDialog {
 public:
  explicit TDataForm(QWidget* parent = nullptr);

  QPushButton* End_Button;
};
