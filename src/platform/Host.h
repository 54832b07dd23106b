#pragma once
// Services the host runtime gives the library: where the program lives, date and
// time text, the clipboard.
#include <string>

namespace korvath::platform {

// Directory of the running executable, without a trailing separator.
std::string ExecutableDirectory();
// Tests point the log somewhere private; an empty text restores the real directory.
void OverrideExecutableDirectory(const std::string& directory);

std::string DateText();  // mm-dd-yyyy
std::string TimeText();  // hh:mm:ss, 24-hour

// The clipboard's text, empty when it holds none or no video system runs.
std::string ClipboardText();

}  // namespace korvath::platform
