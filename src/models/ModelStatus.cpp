#include "models/ModelStatus.h"
#include "core/LoadingScreen.h"


namespace korvath {

void ModelStatus(const std::string& text, float progress, bool error) { ShowLoadStatus(text, true, progress, error); }

void FinishLoadStatus(const std::string& text) {
    ShowLoadStatus(text, true, 0, false);
    ShowLoadStatus("", true, 0, false);
}

void UnloadStatus(const std::string& text) {
    ShowLoadStatus(text, true, 0, false);
    ShowLoadStatus("", false, 0, false);
}

}  // namespace korvath
