// TForm1, the program's one window: the parameter fields with their track
// bars, the preview, and the commands. Everything it shows is read from its
// definition (the RCDATA resource TFORM1); its handlers hand the work to the
// stimulus engine through MainFormStimulus.
#pragma once

#include <string>

#include "app/tavrion/form_stimulus.h"
#include "framework/comctrls/progress_bar.h"
#include "framework/comctrls/trackbar.h"
#include "framework/comctrls/updown.h"
#include "framework/controls/application.h"
#include "framework/controls/buttons.h"
#include "framework/controls/edit.h"
#include "framework/controls/group_box.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "stimulus/params.h"

class TForm1 : public TForm {
  TAVRION_CLASS(TForm1, TForm)

 public:
  using TForm::TForm;

  TLabel* Label1 = nullptr;
  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TEdit* Edit3 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TButton* Button1 = nullptr;
  TEdit* Edit4 = nullptr;
  TEdit* Edit5 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TEdit* Edit10 = nullptr;
  TLabel* Label7 = nullptr;
  TCheckBox* CheckBox2 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TEdit* Edit9 = nullptr;
  TEdit* Edit12 = nullptr;
  TLabel* Label8 = nullptr;
  TLabel* Label10 = nullptr;
  TImage* Image1 = nullptr;
  TButton* Button2 = nullptr;
  TTrackBar* TrackBar1 = nullptr;
  TTrackBar* TrackBar2 = nullptr;
  TTrackBar* TrackBar3 = nullptr;
  TTrackBar* TrackBar4 = nullptr;
  TTrackBar* TrackBar5 = nullptr;
  TButton* Button3 = nullptr;
  TUpDown* UpDown1 = nullptr;
  TProgressBar* ProgressBar1 = nullptr;
  TTrackBar* TrackBar6 = nullptr;

  // Stimulate: waits out the delay, then plays the working file.
  void Button1Click(TObject* sender);
  // The recalculation, run by every parameter field and by activation. The
  // file field's own changes wait until its name is confirmed.
  void Edit1Change(TObject* sender);
  // Any change of the continuous box stops the sound.
  void CheckBox2Click(TObject* sender);
  void Button2Click(TObject* sender);  // About
  void TrackBar1Change(TObject* sender);
  void TrackBar2Change(TObject* sender);
  void TrackBar3Change(TObject* sender);
  void TrackBar4Change(TObject* sender);
  void TrackBar5Change(TObject* sender);
  void Button3Click(TObject* sender);  // Default
  void TrackBar6Change(TObject* sender);

  const stimulus::SharedParams& Shared() const { return shared_; }
  bool StimulationPending() const { return stimulus_.Waiting(); }
  // The working file: the file field's text as last confirmed by leaving the
  // field or by Enter in it, so no file is written under a half-typed name.
  const std::string& FileName() const { return file_name_; }

 protected:
  void Loaded() override;

 private:
  void Recalculate();
  // A name differing from the confirmed one takes effect and is written.
  void ConfirmFileName();
  void CMChildKey(TMessage& message);
  void CMFocusChanged(TMessage& message);

  stimulus::SharedParams shared_;
  MainFormStimulus stimulus_{*this};
  std::string file_name_;
};

// The one main form, set by CreateForm.
extern TForm1* Form1;

// The About text: two lines, the second indented.
extern const std::string kAboutText;
