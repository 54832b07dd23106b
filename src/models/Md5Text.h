#pragma once
// The text layer of the md5mesh, md5anim and md5camera readers. Exporters
// differ in whitespace (single spaces, runs of blanks, TABs, CR LF line ends)
// and in the column a keyword stands in, so a line is read as tokens: a run of
// characters between blanks, a double-quoted text, or one of the brackets
// ( ) { }. "//" outside quotes ends the line.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace korvath {

struct Md5Token {
    std::string_view Text;
    bool Quoted = false;
};

using Md5Tokens = std::span<const Md5Token>;

// A file's bytes as text.
inline std::string_view TextOf(const std::vector<uint8_t>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

class Md5Lines {
public:
    explicit Md5Lines(std::string_view text);
    // Moves to the next line and splits it; false after the last one.
    bool Next();
    Md5Tokens Tokens() const { return {tokens_.data(), count_}; }
    // The current line without its line break.
    std::string_view Raw() const { return line_; }
    // The size of the whole text: every item a count announces takes a line
    // of at least one character, so no count met by the file is larger.
    size_t Size() const { return text_.size(); }

private:
    void Split();
    void Add(std::string_view text, bool quoted) {
        if (count_ == tokens_.size()) tokens_.resize(2 * count_);
        tokens_[count_++] = {text, quoted};
    }

    std::string_view text_;
    size_t at_ = 0;
    std::string_view line_;
    // Grown, never shrunk: tokens are written in place, count_ of them current.
    std::vector<Md5Token> tokens_;
    size_t count_ = 0;
};

// The token at index is the keyword (unquoted, any case).
bool IsKeyword(Md5Tokens tokens, size_t index, std::string_view keyword);
// The line is exactly keyword followed by "{".
bool OpensBlock(Md5Tokens tokens, std::string_view keyword);
bool ClosesBlock(Md5Tokens tokens);
// Whether the tokens are the format's first line, "MD5Version 10".
bool IsVersionLine(Md5Tokens tokens);

// The entry lines of a block, up to count of them, until its closing brace:
// read(tokens, entry) fills each, and false from it ends the block with the
// answer false. True when count entries were read.
template <typename Entry, typename Read>
bool ReadEntries(Md5Lines& lines, int32_t count, std::vector<Entry>& entries, Read read) {
    entries.clear();
    while (lines.Next()) {
        const Md5Tokens t = lines.Tokens();
        if (ClosesBlock(t)) break;
        if (t.empty() || entries.size() >= static_cast<size_t>(count)) continue;
        entries.emplace_back();
        if (!read(t, entries.back())) return false;
    }
    return entries.size() == static_cast<size_t>(count);
}

// A whole token as a finite number.
bool ParseNumber(std::string_view text, double& value);
// A whole token as a 32-bit whole number (no fraction).
bool ParseWholeNumber(std::string_view text, int32_t& value);
// Coordinates are kept to 7 decimals, as the files' exporters meant them.
float RoundedCoordinate(double value);

// The numeric tokens from index on, brackets skipped: up to count values into
// out; false when a token that is neither a bracket nor a number comes first
// or fewer than count values are there.
bool NumbersFrom(Md5Tokens tokens, size_t index, double* out, size_t count);

}  // namespace korvath
