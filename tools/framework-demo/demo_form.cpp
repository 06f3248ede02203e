#include "tools/framework-demo/demo_form.h"

#include <string>

TAVRION_CLASS_INFO(TDemoForm, "DemoForm") {
  c.Field<&TDemoForm::Label1>("Label1");
  c.Field<&TDemoForm::Edit1>("Edit1");
  c.Field<&TDemoForm::Button1>("Button1");
  c.Field<&TDemoForm::CheckBox1>("CheckBox1");
  c.Field<&TDemoForm::GroupBox1>("GroupBox1");
  c.Field<&TDemoForm::TrackBar1>("TrackBar1");
  c.Field<&TDemoForm::Edit2>("Edit2");
  c.Field<&TDemoForm::UpDown1>("UpDown1");
  c.Field<&TDemoForm::ProgressBar1>("ProgressBar1");
  c.Field<&TDemoForm::Image1>("Image1");
  c.Method<&TDemoForm::FormCreate>("FormCreate");
  c.Method<&TDemoForm::Button1Click>("Button1Click");
  c.Method<&TDemoForm::TrackBar1Change>("TrackBar1Change");
}

void TDemoForm::FormCreate(TObject*) {
  TCanvas* canvas = Image1->Canvas();
  canvas->Pen()->SetColor(0x00E2E8E8);
  canvas->Pen()->SetStyle(psDot);
  for (int y : {1, 44, 87}) {
    canvas->MoveTo(0, y);
    canvas->LineTo(396, y);
  }
  canvas->Pen()->SetColor(clGreen);
  canvas->Pen()->SetStyle(psSolid);
  canvas->MoveTo(0, 44);
  for (int x = 0; x < 396; x += 66) {
    canvas->LineTo(x, 8);
    canvas->LineTo(x + 22, 8);
    canvas->LineTo(x + 22, 44);
    canvas->LineTo(x + 66, 44);
  }
}

void TDemoForm::Button1Click(TObject*) {
  const std::int32_t next = ProgressBar1->Position() + 10;
  ProgressBar1->SetPosition(next > ProgressBar1->Max() ? ProgressBar1->Min() : next);
}

void TDemoForm::TrackBar1Change(TObject*) {
  Edit2->SetText(std::to_string(TrackBar1->Position()));
}
