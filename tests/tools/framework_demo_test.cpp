// The framework's demo form, headless: it reads from its definition, and its
// button and track bar do what they say.
#include <gtest/gtest.h>

#include "tests/support/fw_application.h"
#include "tools/framework-demo/demo_form.h"

namespace {

using FrameworkDemo = ApplicationTest;

TEST_F(FrameworkDemo, ReadsAndWorks) {
  auto* form = ShowNewForm<TDemoForm>();
  RECT client{};
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 420);
  EXPECT_EQ(client.bottom, 250);
  EXPECT_EQ(GetFocus(), form->Edit1->Handle());
  EXPECT_EQ(form->UpDown1->Associate(), form->Edit2);

  ClickOn(form->Button1);
  EXPECT_EQ(form->ProgressBar1->Position(), 40);
  form->TrackBar1->SetPosition(7);
  EXPECT_EQ(form->Edit2->GetText(), "7");
}

}  // namespace
