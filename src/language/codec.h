// Documents in UTF-8 and in symbol bytes: the one decoding rule of both programs.
//
// A document that is UTF-8 has its logical symbols read as the symbol bytes, and every other
// character outside ASCII keeps its own UTF-8 bytes (a string may hold it; elsewhere it is a
// syntax error at its line and column). A document that is not UTF-8 is its bytes as they are.
// No character is ever silently read as a connective, and a document read and written again
// unchanged gives back its bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A document as the prover reads it, with the offset in the file of each of its bytes.
struct TDocument {
    std::string Text;
    // Where the text and the file part: from each of these text offsets on, up to the next,
    // the file offset grows with the text offset (a symbol is one byte of the text and two or
    // three of the file).
    std::vector<std::pair<std::size_t, std::size_t>> Shifts; // text offset, file offset
    bool Utf8 = false;                                       // read as UTF-8, and written so
    bool Bom = false; // a UTF-8 byte order mark stood first: it is skipped, and written again
    // A file that writes its symbols in UTF-8 but is not UTF-8 throughout: the file offset of
    // its first byte that is not; npos otherwise. Such a file is still read as UTF-8, its
    // stray bytes kept as they are at the text offsets Stray (no proof may read them: each is
    // an error at its place).
    std::size_t InvalidAt = std::string::npos;
    std::vector<std::size_t> Stray;
    // The offset in Text of the first character kept as its UTF-8 bytes; npos for none.
    std::size_t ForeignAt = std::string::npos;

    // The file offset of the byte at Index of Text; of the file's end for Text.size() and on.
    std::size_t FileOffset(std::size_t Index) const;
};
// A text that is its file as it is, byte for byte.
TDocument PlainDocument(const std::string& Text);

// Reads a file by the rule above. A UTF-8 file that the rule could not give back exactly
// (a symbol followed by bytes that would read as another character) is read byte for byte.
TDocument DecodeDocument(const std::string& File);
// The file bytes of a text read from a document with the given encoding; the bytes at the text
// offsets Raw (stray bytes of a UTF-8 file) are written as they are.
std::string EncodeDocument(const std::string& Text, bool Utf8, bool Bom,
                           const std::vector<std::size_t>& Raw = {});
// The error of a stray byte in a document that writes its symbols in UTF-8.
std::string StrayByteMessage(unsigned char Byte);
// Text known to be UTF-8 (pasted, typed) in the prover's bytes, by the same rule.
std::string DecodeUtf8Text(const std::string& Utf8);

// The report in UTF-8: symbol bytes as their Unicode symbols, valid UTF-8 kept, other bytes
// above 0x7F read as Latin-1.
std::string EncodeReport(const std::string& Bytes);

// The offset of the first character at or after From in Text that is kept as its UTF-8 bytes
// (neither ASCII nor a symbol byte), or npos.
std::size_t FindForeign(const std::string& Text, std::size_t From = 0);

// Line and column (both from 1, the column in characters) of a file offset.
struct TPosition {
    std::size_t Line;
    std::size_t Column;
};
// Utf8: count a UTF-8 sequence as one character, after a byte order mark.
TPosition PositionOf(const std::string& File, std::size_t Offset, bool Utf8);
