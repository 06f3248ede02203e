// The program's main form as it first shows, started as the program starts it.
#include <platform/picture.h>

#include "app/tavrion/main_form.h"
#include "tools/pictures/pictures.h"

namespace pictures {

bool MainWindow(const std::string& path) {
  StartApplicationHeadless();
  Application->Initialize();
  Application->SetTitle("Tavrion");
  Application->CreateForm(Form1);
  Form1->Show();
  PumpMessages();
  UpdateWindow(Form1->Handle());
  const bool saved = SaveWindowPicture(Form1->Handle(), path.c_str(), TRUE) != FALSE;
  StopApplication();
  Form1 = nullptr;
  return saved;
}

}  // namespace pictures
