#include <string>

#include "core/Paths.h"
#include "korvath/Programs.h"
#include "materials/Materials.h"
#include "materials/MaterialKeywords.h"
#include "materials/MaterialScripts.h"
#include "materials/ScriptText.h"
#include "platform/Files.h"

namespace korvath {

Programs& EnginePrograms() {
    static Programs programs;
    return programs;
}

namespace {

// Block mode: whole lines from the one after the material's name until a line
// whose first character is "}" or the end of the text.
SHADER ParseBlock(std::string_view text, size_t start) {
    MaterialParse parse;
    ScriptText script(text, start);
    while (!script.AtEnd()) {
        const std::string_view raw = script.NextLine();
        const std::string line = NormaliseLine(raw);
        if (line == "{") parse.OpenStage();
        else if (line == "}") parse.CloseStage();
        else ApplyKeywords(line, parse);
        // Only a brace in the first column closes the material: stage braces are indented.
        if (!raw.empty() && raw.front() == '}') {
            parse.material.Found = true;
            break;
        }
    }
    return std::move(parse.material);
}

SHADER ParseIndexed(const ScriptIndex* script, const std::string& scriptPath, const std::string& name) {
    SHADER material;
    if (script) {
        const size_t start = script->BlockStart(name, scriptPath);
        if (start != std::string_view::npos) material = ParseBlock(script->Text(), start);
    }
    material.Name = name;
    return material;
}

}  // namespace

SHADER ParseMaterial(const std::string& scriptPath, const std::string& name) {
    const std::string path = ResolvePath(scriptPath);
    std::vector<uint8_t> bytes;
    if (!platform::FileExists(path) || !platform::ReadWholeFile(path, bytes)) return ParseIndexed(nullptr, scriptPath, name);
    const ScriptIndex script(std::string(bytes.begin(), bytes.end()));
    return ParseIndexed(&script, scriptPath, name);
}

// Scripts are indexed once and kept while their files stay unchanged, because a
// level looks every one of its textures up in every script of the directory.
SHADER FindMaterial(const std::string& directory, const std::string& name) {
    SHADER material;
    for (const std::string& file : ScriptFilesIn(ResolvePath(directory))) {
        // Only the last file's result is kept; an earlier unclosed match is given back.
        FreeMaterial(material);
        const std::string scriptPath = directory + file;
        material = ParseIndexed(CachedScript(ResolvePath(scriptPath)), scriptPath, name);
        if (material.Found) break;
    }
    return material;
}

}  // namespace korvath
