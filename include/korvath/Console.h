#pragma once
#include <cstdint>
#include <string>

#include "korvath/Material.h"
#include "korvath/Types.h"

namespace korvath {

// The drop-down console of the overlay. Every Console object works on the one
// engine-wide console: the shown lines, the typed line and its history, and the
// command names the host registered. The console gives commands no meaning of its
// own; the host polls for them each frame with Command.
class Console {
public:
    // Registers a command name (compared in upper case); duplicates are allowed.
    void Load(const std::string& Name);
    // Removes the first registration of Name; an unknown name changes nothing.
    void UnLoad(const std::string& Name);
    // Shows Text in the console (not the log), at once while the console is visible.
    void Update(const std::string& Text, bool Error = false);
    // Empties the shown lines and the history.
    void Clear();

    // Material of the fade curtain.
    SHADER Background() const;
    void Background(const SHADER& Material);
    // The command entered last when it is Name: true without an argument, else the
    // argument in upper case. Empty for any other name. A command is answered once.
    Variant Command(const std::string& Name);
    // Material of the loading bar.
    SHADER Progress() const;
    void Progress(const SHADER& Material);
    bool Visible() const;
    void Visible(bool Shown);
};

}  // namespace korvath
