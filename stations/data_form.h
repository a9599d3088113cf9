// The station list window: the grid of stations and bands with its edit panel. The rules live
// in StationEditor; this window shows its state and forwards the user's actions.
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <array>
#include <functional>

#include "stations/station_editor.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
class StationGridModel;
class TDeleteForm;

class TDataForm : public QDialog, public StationEditorView {
  Q_DECLARE_TR_FUNCTIONS(TDataForm)

 public:
  // `progress` sees the start-up progress 10..40 while the lists fill; `created` runs at the
  // end of the creation (the splash is released there).
  TDataForm(StationEditor& editor, const std::function<void(int)>& progress,
            const std::function<void()>& created, QWidget* parent = nullptr);
  explicit TDataForm(StationEditor& editor, QWidget* parent = nullptr)
      : TDataForm(editor, {}, {}, parent) {}
  ~TDataForm() override;

  StationEditor& editor;
  TDeleteForm* DeleteForm = nullptr;  // the confirmation; one of its own when not given
  // The grid's context menu "スキップに追加" hands the single station's record number here.
  std::function<void(int memoNo)> OnSkip;

  QPushButton* End_Button;
  QPushButton* DataCan_Button;
  QPushButton* Find_Button;
  QToolButton* UpFind_BitBtn;
  QToolButton* DwFind_BitBtn;
  QPushButton* AndOr_Button;
  QLabel* AndOr_Panel;
  QPushButton* Edit_Button;
  QPushButton* SingleData_Button;
  QPushButton* AllData_Button;
  QPushButton* BandData_Button;
  QFrame* SingleData_Panel;
  QFrame* BandData_Panel;
  QPushButton* New_Button;
  QPushButton* Add_Button;
  QPushButton* Write_Button;
  QPushButton* Delete_Button;
  QToolButton* DataUp_Button;  // DataUpDown1's upper arrow
  QToolButton* DataDw_Button;  // and its lower arrow
  QFrame* DataUpDown1;
  QLabel* Space_Panel;
  QFrame* Data1_Panel;
  QFrame* Grid_Panel;
  QTableView* DataStringGrid;
  QComboBox* TypeComboBox;
  QLineEdit* NameEdit;
  QLineEdit* FrequencyEdit;
  QLineEdit* Frequency2Edit;
  QLineEdit* StepMaskEdit;
  QComboBox* ModeComboBox;
  QLineEdit* ShiftMaskEdit;
  QComboBox* SelectComboBox;
  QLineEdit* AddressEdit;
  QLineEdit* EtcEdit;
  std::array<QLabel*, kFieldCount> FieldLabel{};

  // The widget that edits field f (the line edit inside a combo box).
  QLineEdit* FieldEdit(int field) const;

  // StationEditorView.
  void ShowFields() override;
  void ShowButtons() override;
  void ShowGrid() override;
  void ShowCurrentRow() override;
  void ShowListItem(bool typeList, const std::string& text) override;
  void FocusGrid() override;
  void FocusField(int field) override;
  void ShowFind() override;
  void ShowLayout() override;
  void ShowFindMessage(FindResult::Outcome outcome) override;
  void ShowBusy(bool busy) override;
  void ProcessEvents() override;
  int GridTopRow() const override;
  int GridRowsInSight() const override;
  void ShowTopRow(int row) override;

  // Handlers.
  void FormActivate();
  void FormReSize();
  void ListASizeSet();
  void ListBSizeSet();
  void DataModeSetPrint();
  void End_ButtonClick();
  void DataCan_ButtonClick();
  void Edit_ButtonClick();
  void Delete_ButtonClick();
  void DataStringGridEnter();
  void NewSizeBitBtnClick();
  void HeadingClick(int column);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildButtons();
  void BuildEditPanel();
  void BuildGrid();
  // Tooltips and screen reader names of the controls (data_form_tips_qt.cpp).
  void ExplainControls();
  int FieldOf(QObject* watched) const;
  void EnterField(int field);  // a click on the field, its label or its panel
  void SetLayout();
  bool DataKeyUp(int key);

  StationGridModel* model_;
  bool syncing_ = false;
  QElapsedTimer sinceEvents_;  // since a search last let the window's messages run
};
