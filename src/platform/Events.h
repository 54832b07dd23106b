#pragma once
// The message pump: runs pending window-system events, feeds the key table and
// remembers when the user asked to close a window.
namespace korvath::platform {

void PumpMessages();

// True once the user has asked to close a window (window close button, or the
// session asking the program to quit). Stays set until ClearCloseRequest.
bool CloseRequested();
void ClearCloseRequest();

}  // namespace korvath::platform
