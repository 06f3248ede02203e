// The framework's demo form, headless: it reads from its definition, its
// button and track bar do what they say, and its picture is saved as
// framework-demo.png in the test's folder (docs/framework-demo.png is a copy).
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/headless.h"
#include "platform/picture.h"
#include "tests/support/control_sheet.h"
#include "tools/framework-demo/demo_form.h"

namespace {

TEST(FrameworkDemo, ReadsWorksAndIsSavedAsAPicture) {
  host::Headless().Reset();
  StartApplication();
  TDemoForm* form = nullptr;
  Application->CreateForm(form);
  form->SetVisible(true);
  PumpMessages();
  RECT client{};
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 420);
  EXPECT_EQ(client.bottom, 250);
  EXPECT_EQ(GetFocus(), form->Edit1->Handle());
  EXPECT_EQ(form->UpDown1->Associate(), form->Edit2);

  POINT button{10, 10};
  ClientToScreen(form->Button1->Handle(), &button);
  host::Headless().Click(button.x, button.y);
  PumpMessages();
  EXPECT_EQ(form->ProgressBar1->Position(), 40);
  form->TrackBar1->SetPosition(7);
  EXPECT_EQ(form->Edit2->GetText(), "7");

  form->Edit1->SetFocus();
  PumpMessages();
  const std::string path = (std::filesystem::current_path() / "framework-demo.png").string();
  EXPECT_TRUE(SaveWindowPicture(form->Handle(), path.c_str(), TRUE));
  StopApplication();
}

}  // namespace
