// The framework's demo form: one of each control, read from its definition.
#pragma once

#include "framework/comctrls/progress_bar.h"
#include "framework/comctrls/trackbar.h"
#include "framework/comctrls/updown.h"
#include "framework/controls/application.h"
#include "framework/controls/buttons.h"
#include "framework/controls/edit.h"
#include "framework/controls/group_box.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"

class TDemoForm : public TForm {
  TAVRION_CLASS(TDemoForm, TForm)

 public:
  using TForm::TForm;

  TLabel* Label1 = nullptr;
  TEdit* Edit1 = nullptr;
  TButton* Button1 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TTrackBar* TrackBar1 = nullptr;
  TEdit* Edit2 = nullptr;
  TUpDown* UpDown1 = nullptr;
  TProgressBar* ProgressBar1 = nullptr;
  TImage* Image1 = nullptr;

  // Draws a few steps on the image.
  void FormCreate(TObject* sender);
  // Moves the progress bar on by its step, round to the start at the end.
  void Button1Click(TObject* sender);
  // Shows the track bar's position in the edit beside it.
  void TrackBar1Change(TObject* sender);
};
