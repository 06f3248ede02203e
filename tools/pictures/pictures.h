// The pictures of the docs, each drawn on the headless host as a person would
// set the scene up, and saved as a PNG file at `path`. Each returns whether
// the file was written.
#pragma once

#include <string>

#include <platform/headless.h>

namespace pictures {

// One of each system control in a dialog, focused and not, enabled and
// disabled, in the main form's font.
bool Controls(const std::string& path);
// The track bars, progress bars and up-downs, in several styles.
bool CommonControls(const std::string& path);
// A form with a button whose hint shows under the resting mouse.
bool Hint(const std::string& path);
// A ShowMessage dialog.
bool MessageDialog(const std::string& path);
// The framework's demo form after a click on its button and a move of its bar.
bool FrameworkDemo(const std::string& path);
// The program's main form as it first shows; it writes its working file into
// the current folder.
bool MainWindow(const std::string& path);

// A fresh headless host with the application's objects made on it.
host::HeadlessHost& StartApplicationHeadless();
// Handles every waiting message as the program's loop does, through the
// application.
void PumpMessages();

}  // namespace pictures
