// The scanner: one current character over the text of one formula, and the collecting reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Syntax error codes of one compilation; 6 marks a complete formula inside XComp only.
enum TErrCode : std::uint8_t {
    ErrNone = 0,
    ErrMissingOperator = 2,
    ErrMissingExpression = 3,
    ErrMissingRightBracket = 4,
    ErrUnexpectedRightBracket = 5,
    ErrComplete = 6,
    ErrMissingDelimiter = 9,
    ErrWrongAtom = 10,
    ErrInvalidReal = 12,
    ErrInvalidInteger = 13,
    ErrInvalidIdTerm = 14,
    ErrInvalidVariable = 15,
    ErrNestedTooDeeply = 16,
    ErrStringNotClosed = 17,
    ErrFormulaTooLarge = 18,
    ErrNulCharacter = 19,
    ErrStopped = 20, // the run was stopped while the formula was read: no message
};

// The message of a reported code, or an empty text for a code that is not reported.
std::string ErrorMessage(std::uint8_t Code);

// Starts a compilation at Text (NUL-terminated): index, counters and error code cleared.
// With End, a NUL before End is a character of the text, which no rule accepts.
void ScanReset(const char* Text, const char* End = nullptr);
const char* ScanBase();
unsigned char CurChar();
std::int32_t ScanIndex();
std::int32_t LastReadCount();
std::uint8_t ScanError();
// Sets the error code unless one is already set: the first error wins.
void SetError(std::uint8_t Code);
// Clears the error code (the end decision of XComp turns the mark 6 into 0).
void ClearError();

// The number of formulas written as queries ("?-" first) in a whole text, by the rules of
// the scanner: a formula ends at a "." before a blank, and the count ends at a NUL.
std::int64_t CountQueries(const std::string& Text);

// The formulas of a whole text as written, by the same rules, up to the first the scanner
// refuses: each without its comments, its final period and a query's "?-", its blanks
// closed up to one space.
struct TFormulaText {
    std::string Text;
    bool Query = false;
    std::size_t Start = 0; // the formula's slice of the text, its final period included
    std::size_t Length = 0;
};
std::vector<TFormulaText> FormulaTexts(const std::string& Text);

void ReadRaw();
void ReadNext();
// The collecting reads leave their term on the parser's stack and the token text empty.
void ReadString();
void ReadNumber();
void ReadVariable();
// Collects an identifier from the current character on, without skipping blanks after it.
std::string ReadIdentifier();

inline bool IsBlank(unsigned char C)
{
    return C >= 0x01 && C <= 0x20;
}
inline bool IsDigit(unsigned char C)
{
    return C >= '0' && C <= '9';
}
inline bool IsUpperStart(unsigned char C)
{
    return (C >= 'A' && C <= 'Z') || C == '_';
}
inline bool IsLowerStart(unsigned char C)
{
    return C >= 'a' && C <= 'z';
}
inline bool IsIdentChar(unsigned char C)
{
    return IsDigit(C) || IsUpperStart(C) || IsLowerStart(C);
}
