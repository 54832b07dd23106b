#pragma once
// Services the host runtime gives the library: where the program lives, date and
// time text, the clipboard.
#include <cstdint>
#include <string>

namespace korvath::platform {

// Directory of the running executable, without a trailing separator.
std::string ExecutableDirectory();
// Tests point the log somewhere private; an empty text restores the real directory.
void OverrideExecutableDirectory(const std::string& directory);
// Where this user's programs keep state between runs ($XDG_STATE_HOME, else
// ~/.local/state), created with the given subfolder if missing; empty when it
// cannot be made.
std::string UserStateDirectory(const std::string& subfolder);

std::string DateText();  // mm-dd-yyyy
std::string TimeText();  // hh:mm:ss, 24-hour

// Twips per screen pixel, horizontally and vertically (1440 twips an inch at 96
// pixels an inch).
constexpr int32_t kTwipsPerPixel = 15;
// The desktop's size in twips; false when no video system can start.
bool ScreenSizeInTwips(int32_t& width, int32_t& height);

// The clipboard's text, empty when it holds none or no video system runs.
std::string ClipboardText();

}  // namespace korvath::platform
