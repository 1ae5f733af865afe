// Documents in UTF-8 and in symbol bytes: the console's conversions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A document as the prover reads it, with the offset in the file of each of its bytes.
struct TDocument {
    std::string Text;
    std::vector<std::size_t> FileOffset; // one entry per byte of Text, and one for its end
    bool Utf8 = false;                   // the file was read as UTF-8
    // A file that writes its symbols in UTF-8 but is not UTF-8 throughout: the offset of its
    // first byte that is not; npos otherwise.
    std::size_t InvalidAt = std::string::npos;
};

// Valid UTF-8 has its logical symbols mapped to the symbol bytes, after a byte order mark,
// which is skipped; anything else is taken as raw bytes.
TDocument DecodeDocument(const std::string& File);

// The report in UTF-8: symbol bytes as their Unicode symbols, valid UTF-8 kept, other bytes
// above 0x7F read as Latin-1.
std::string EncodeReport(const std::string& Bytes);

// Line and column (both from 1, the column in characters) of a file offset.
struct TPosition {
    std::size_t Line;
    std::size_t Column;
};
// Utf8: count a UTF-8 sequence as one character.
TPosition PositionOf(const std::string& File, std::size_t Offset, bool Utf8);
