#include <algorithm>

#include "core/ConsoleState.h"
#include "core/Display.h"
#include "core/LoadingScreen.h"
#include "core/Math.h"
#include "core/TextMetrics.h"
#include "engine/ConsoleText.h"

namespace korvath {

void AddPendingLine() {
    if (Loading().Text.empty()) return;
    // A status line repeated in a row is shown once.
    if (!ConsoleData().Lines.empty() && ConsoleData().Lines.back().Text == Loading().Text) return;
    for (std::string& piece : WrapText(Loading().Text)) {
        ConsoleData().LineCount += 1;
        ConsoleData().NextRow += 3;
        ConsoleData().Lines.push_back({Loading().Error, ConsoleData().NextRow, std::move(piece)});
    }
    Loading().Text.clear();
}

// Positions below are 1-based, as the wrap rule counts them.
std::vector<std::string> WrapText(const std::string& text) {
    std::vector<std::string> pieces;
    if (text.empty()) return pieces;
    const int32_t blankWidth = MeasureText(" ").Width;
    // Without a font nothing can be fitted to the screen; the line stays whole.
    if (blankWidth <= 0) {
        pieces.push_back(text);
        return pieces;
    }
    // At least one character a piece, or a narrow screen would never finish the text.
    const size_t n = static_cast<size_t>(
        std::max(1, RoundHalfEven(static_cast<double>(Display().ScreenWidth) / blankWidth - 2)));
    const size_t length = text.size();
    size_t pos = 1;
    while (pos <= length) {
        // The last blank at or before pos + n. A blank before pos acts as none, so the
        // search stays within reach and a text without blanks costs linear time.
        size_t q = 0;
        if (pos + n <= length) {
            for (size_t at = pos + n; at >= pos && q == 0; --at)
                if (text[at - 1] == ' ') q = at;
        }
        if (q == pos) pos += 1;
        if (q > pos && q < pos + n) {
            pieces.push_back(text.substr(pos - 1, q - pos));
            pos = q + 1;
        } else {
            pieces.push_back(text.substr(pos - 1, n));
            pos += n;
        }
    }
    return pieces;
}

}  // namespace korvath
