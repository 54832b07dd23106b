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

// A read position over script bytes the caller keeps alive. Line breaks are
// CR LF, LF or a lone CR; none of them is ever part of a field or a line.
class ScriptText {
public:
    explicit ScriptText(std::string_view text, size_t at = 0) : text_(text), at_(at < text.size() ? at : text.size()) {}
    bool AtEnd() const { return at_ >= text_.size(); }
    size_t Position() const { return at_; }
    // Leading blanks, tabs and line breaks are skipped; the field ends at a comma
    // or a line break (consumed), trailing blanks dropped. A field opened by a
    // double quote runs to the next double quote; the rest of it up to the
    // delimiter is dropped.
    std::string_view NextField();
    // The rest of the current line; the read position moves past its line break.
    std::string_view NextLine();

private:
    bool IsLineBreak() const { return text_[at_] == '\r' || text_[at_] == '\n'; }
    void SkipToDelimiter();
    void SkipDelimiter();

    std::string_view text_;
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
