#include "app/tavrion/main_form.h"

#include <platform/codepage.h>

#include "framework/controls/messages.h"
#include "framework/dialogs/dialogs.h"
#include "framework/rtl/intconv.h"
#include "framework/rtl/scope_exit.h"
#include "stimulus/recalculation.h"

TForm1* Form1 = nullptr;

const std::string kAboutText(
    "Tavrion v2.2 — стимулятор серий прямоугольных импульсов.\n"
    "    Авторы: разработчики Tavrion."_cp1251);

TAVRION_CLASS_INFO(TForm1, "Form1") {
  c.Field<&TForm1::Label1>("Label1");
  c.Field<&TForm1::Edit1>("Edit1");
  c.Field<&TForm1::Edit2>("Edit2");
  c.Field<&TForm1::Edit3>("Edit3");
  c.Field<&TForm1::Label2>("Label2");
  c.Field<&TForm1::Label3>("Label3");
  c.Field<&TForm1::Button1>("Button1");
  c.Field<&TForm1::Edit4>("Edit4");
  c.Field<&TForm1::Edit5>("Edit5");
  c.Field<&TForm1::Label4>("Label4");
  c.Field<&TForm1::Label5>("Label5");
  c.Field<&TForm1::Edit10>("Edit10");
  c.Field<&TForm1::Label7>("Label7");
  c.Field<&TForm1::CheckBox2>("CheckBox2");
  c.Field<&TForm1::GroupBox1>("GroupBox1");
  c.Field<&TForm1::Edit9>("Edit9");
  c.Field<&TForm1::Edit12>("Edit12");
  c.Field<&TForm1::Label8>("Label8");
  c.Field<&TForm1::Label10>("Label10");
  c.Field<&TForm1::Image1>("Image1");
  c.Field<&TForm1::Button2>("Button2");
  c.Field<&TForm1::TrackBar1>("TrackBar1");
  c.Field<&TForm1::TrackBar2>("TrackBar2");
  c.Field<&TForm1::TrackBar3>("TrackBar3");
  c.Field<&TForm1::TrackBar4>("TrackBar4");
  c.Field<&TForm1::TrackBar5>("TrackBar5");
  c.Field<&TForm1::Button3>("Button3");
  c.Field<&TForm1::UpDown1>("UpDown1");
  c.Field<&TForm1::ProgressBar1>("ProgressBar1");
  c.Field<&TForm1::TrackBar6>("TrackBar6");
  c.Method<&TForm1::Button1Click>("Button1Click");
  c.Method<&TForm1::Edit1Change>("Edit1Change");
  c.Method<&TForm1::CheckBox2Click>("CheckBox2Click");
  c.Method<&TForm1::Button2Click>("Button2Click");
  c.Method<&TForm1::TrackBar1Change>("TrackBar1Change");
  c.Method<&TForm1::TrackBar2Change>("TrackBar2Change");
  c.Method<&TForm1::TrackBar3Change>("TrackBar3Change");
  c.Method<&TForm1::TrackBar4Change>("TrackBar4Change");
  c.Method<&TForm1::TrackBar5Change>("TrackBar5Change");
  c.Method<&TForm1::Button3Click>("Button3Click");
  c.Method<&TForm1::TrackBar6Change>("TrackBar6Change");
  c.Message<CM_CHILDKEY>(&TForm1::CMChildKey);
  c.Message<CM_FOCUSCHANGED>(&TForm1::CMFocusChanged);
}

void TForm1::Loaded() {
  TForm::Loaded();
  file_name_ = Edit4->GetText();
}

void TForm1::Edit1Change(TObject* sender) {
  if (sender != Edit4) Recalculate();
}

void TForm1::ConfirmFileName() {
  std::string name = Edit4->GetText();
  if (name == file_name_) return;
  file_name_ = std::move(name);
  Recalculate();
}

void TForm1::CMChildKey(TMessage& message) {
  if (message.WParam == VK_RETURN && message.LParam == reinterpret_cast<LPARAM>(Edit4)) {
    ConfirmFileName();
  }
  Inherited(message);
}

void TForm1::CMFocusChanged(TMessage& message) {
  if (message.LParam != reinterpret_cast<LPARAM>(Edit4)) ConfirmFileName();
  Inherited(message);
}

void TForm1::Recalculate() {
  stimulus::Recalculate(stimulus_, shared_);
}

void TForm1::Button1Click(TObject*) {
  stimulus_.BeginWait();
  const ScopeExit end([this] { stimulus_.EndWait(); });
  stimulus::Stimulate(stimulus_, shared_);
}

void TForm1::CheckBox2Click(TObject*) {
  if (stimulus_.Waiting()) stimulus_.CancelPendingStart();
  stimulus::StopSound(stimulus_);
}

void TForm1::Button2Click(TObject*) {
  ShowMessage(kAboutText);
}

void TForm1::TrackBar1Change(TObject*) {
  Edit9->SetText(IntToStr(TrackBar1->Position()));
}

void TForm1::TrackBar2Change(TObject*) {
  Edit12->SetText(IntToStr(TrackBar2->Position()));
}

void TForm1::TrackBar3Change(TObject*) {
  Edit1->SetText(IntToStr(TrackBar3->Position()));
}

void TForm1::TrackBar4Change(TObject*) {
  Edit2->SetText(IntToStr(TrackBar4->Position()));
}

void TForm1::TrackBar5Change(TObject*) {
  Edit3->SetText(IntToStr(TrackBar5->Position()));
}

void TForm1::TrackBar6Change(TObject*) {
  Edit5->SetText(IntToStr(TrackBar6->Position()));
}

void TForm1::Button3Click(TObject*) {
  // Each field whose text really changes runs its recalculation at once, with
  // the later fields not yet reset.
  const stimulus::StimulusParams& defaults = stimulus::kDefaultParams;
  Edit1->SetText(IntToStr(defaults.Frequency));
  Edit2->SetText(IntToStr(defaults.Duration));
  Edit3->SetText(IntToStr(defaults.Count));
  Edit5->SetText(IntToStr(defaults.SampleRate));
  Edit10->SetText(IntToStr(defaults.Delay));
  Edit9->SetText(IntToStr(defaults.StimulusAmplitude));
  Edit12->SetText(IntToStr(defaults.ZeroAmplitude));
}
