#pragma once
// The status lines of the model loaders: every step logged, every load and
// unload closed by an empty report.
#include <string>

namespace korvath {

// One step of a load, logged (an error line is drawn red in the console).
void ModelStatus(const std::string& text, float progress = 0, bool error = false);
// The last line of a load, success or failure, and the empty report after it.
void FinishLoadStatus(const std::string& text);
// The unload line and the empty report after it, which is not logged.
void UnloadStatus(const std::string& text);

}  // namespace korvath
