// The window manager's state that outlives any one window: focus, activation
// and capture, the input queue and key state, carets, message queues and
// hooks, timers, the clipboard, the settable parameters. Each part is put back to the start by its
// own function; ResetState does all of them, for the headless host's Reset.
#pragma once

namespace user {

void ResetFocus();       // focus.cpp
void ResetInput();       // input_queue.cpp
void ResetCarets();      // caret.cpp
void ResetQueues();      // message_queue.cpp: posted and sent messages, quit
void ResetHooks();       // hooks.cpp
void ResetTimers();      // timers.cpp
void ResetClipboard();   // clipboard.cpp: closed, its data handed out freed
void ResetParameters();  // metrics.cpp: the parameters a program may set

void ResetState();

}  // namespace user
