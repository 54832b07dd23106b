#pragma once
// The keywords of a material block and what each does to the material being read.
#include <cstddef>
#include <string_view>

#include "korvath/Material.h"

namespace korvath {

// A material while its block is read.
struct MaterialParse {
    SHADER material;
    size_t stageIndex = 0;
    size_t tcModCount = 0;

    // The stage at the current index, or null between a closed stage block and the
    // next "{": stage keywords written there have no stage to act on and are ignored.
    SHADER_STAGE* Stage();
    // "{" and "}" lines.
    void OpenStage();
    void CloseStage();
};

// Applies every keyword that the normalised line starts with, in table order.
// A line with too few tokens, or with a number that does not convert, changes
// nothing for that keyword.
void ApplyKeywords(std::string_view line, MaterialParse& parse);

}  // namespace korvath
