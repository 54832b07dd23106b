#pragma once
// The text layer of material scripts: the two ways a script is read (field by
// field while looking for a material, line by line inside it), the normal form of
// a block line, and its tokens and numbers.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvath {

// A script held in memory with a read position. Line breaks are CR LF, LF or a
// lone CR; none of them is ever part of a field or a line.
class ScriptText {
public:
    explicit ScriptText(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    bool AtEnd() const { return at_ >= bytes_.size(); }
    // Leading blanks and line breaks are skipped; the field ends at a comma or a
    // line break (consumed), trailing blanks dropped. A field opened by a double
    // quote runs to the next double quote; the rest of it up to the delimiter is
    // dropped.
    std::string NextField();
    // The rest of the current line; the read position moves past its line break.
    std::string NextLine();

private:
    bool IsLineBreak() const { return bytes_[at_] == '\r' || bytes_[at_] == '\n'; }
    void SkipDelimiter();
    std::string Slice(size_t from, size_t to) const;

    std::vector<uint8_t> bytes_;
    size_t at_ = 0;
};

// Tabs deleted (not turned into blanks), blanks trimmed at both ends, lower case,
// runs of blanks folded into one.
std::string NormaliseLine(std::string_view raw);

// Blank-separated tokens; no empty tokens.
std::vector<std::string_view> SplitBlanks(std::string_view text);

// What follows a keyword and the one blank after it; empty when the line is no longer.
std::string_view RestAfter(std::string_view line, std::string_view keyword);

// A whole token as a finite number, or nothing. Counts round halves to even.
std::optional<float> ToSingle(std::string_view token);
std::optional<int32_t> ToLong(std::string_view token);

}  // namespace korvath
