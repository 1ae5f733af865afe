#include "language/lexer.h"

#include "language/parser.h"
#include "model/formula.h"
#include "model/owner.h"

namespace {
// Scanner state of the compilation in progress.
const unsigned char* Base = nullptr;
const unsigned char* End = nullptr;
std::int32_t Index = 0;
unsigned char Current = 0;
std::int32_t LastRead = 0;
std::string Token;
std::int32_t AnonymousCounter = 0;
std::uint8_t Error = 0;
bool InString = false; // a string literal is being read: "%" is a character of it
// Characters read since the host was last asked whether to stop: a formula (or a comment)
// may be long enough to keep a run past its limits.
std::uint32_t Unpolled = 0;
constexpr std::uint32_t PollEvery = 1u << 16;

unsigned char At(std::int32_t I)
{
    return Base[I];
}

// Counts a character read; now and then asks the host whether to stop, and on a stop ends the
// formula (with no message): true then.
bool StopWhileReading()
{
    if (++Unpolled < PollEvery)
        return false;
    Unpolled = 0;
    if (!PollHostForStop())
        return false;
    SetError(ErrStopped);
    Current = 0;
    return true;
}

// A "." followed by a byte below 0x21 (or by a comment) ends the formula. A "%" outside a
// string begins a comment to the end of the line, which reads as one blank.
void TakeCurrent()
{
    if (StopWhileReading())
        return;
    Current = At(Index);
    if (Current != 0) {
        ++Index;
        ++LastRead;
    } else if (End && Base + Index < End) {
        SetError(ErrNulCharacter);
        return;
    }
    if (Current == '%' && !InString) {
        while (At(Index) != 0 && At(Index) != '\n') {
            ++Index;
            ++LastRead;
            if (StopWhileReading())
                return;
        }
        Current = ' ';
    }
    if (Current == '.' && (At(Index) < 0x21 || (At(Index) == '%' && !InString)))
        Current = 0;
}
} // namespace

std::string ErrorMessage(std::uint8_t Code)
{
    switch (Code) {
    case ErrMissingOperator:
        return "Missing operator.";
    case ErrMissingExpression:
        return "Missing expression.";
    case ErrMissingRightBracket:
        return "Missing right bracket.";
    case ErrUnexpectedRightBracket:
        return "Unexpected right bracket.";
    case ErrMissingDelimiter:
        return "Missing Delimiter.";
    case ErrWrongAtom:
        return "Wrong atom expression.";
    case ErrInvalidReal:
        return "Invalid real expression.";
    case ErrInvalidInteger:
        return "Invalid integer expression.";
    case ErrInvalidIdTerm:
        return "Invalid IDTerm.";
    case ErrInvalidVariable:
        return "Invalid variable expression.";
    case ErrNestedTooDeeply:
        return "Expression nested too deeply.";
    case ErrStringNotClosed:
        return "String literal not closed.";
    case ErrFormulaTooLarge:
        return "Formula too large.";
    case ErrNulCharacter:
        return "NUL character in the text.";
    default:
        return "";
    }
}

void ScanReset(const char* Text, const char* TextEnd)
{
    Base = reinterpret_cast<const unsigned char*>(Text);
    End = reinterpret_cast<const unsigned char*>(TextEnd);
    Index = 0;
    Current = 0;
    LastRead = 0;
    Token.clear();
    AnonymousCounter = 0;
    Error = 0;
    InString = false;
}

const char* ScanBase()
{
    return reinterpret_cast<const char*>(Base);
}
unsigned char CurChar()
{
    return Current;
}
std::int32_t ScanIndex()
{
    return Index;
}
std::int32_t LastReadCount()
{
    return LastRead;
}
std::uint8_t ScanError()
{
    return Error;
}

void SetError(std::uint8_t Code)
{
    if (Error == 0)
        Error = Code;
}

void ClearError()
{
    Error = 0;
}

std::int64_t CountQueries(const std::string& Text)
{
    std::int64_t Count = 0;
    for (const TFormulaText& F : FormulaTexts(Text))
        Count += F.Query ? 1 : 0;
    return Count;
}

namespace {
// A formula's slice of the text as the user reads it.
std::string Tidy(const std::string& Slice, bool Query)
{
    std::string Out;
    bool String = false;
    for (std::size_t I = 0; I < Slice.size(); ++I) {
        const char C = Slice[I];
        if (C == '%' && !String) {
            while (I + 1 < Slice.size() && Slice[I + 1] != '\n')
                ++I;
            continue;
        }
        if (C == '"')
            String = !String;
        const bool Blank = static_cast<unsigned char>(C) < 0x21;
        if (Blank && !String) {
            if (!Out.empty() && Out.back() != ' ')
                Out += ' ';
            continue;
        }
        Out += C;
    }
    while (!Out.empty() && Out.back() == ' ')
        Out.pop_back();
    if (!Out.empty() && Out.back() == '.')
        Out.pop_back();
    if (Query && Out.rfind("?-", 0) == 0)
        Out.erase(0, Out.find_first_not_of(' ', 2) == std::string::npos
                         ? Out.size()
                         : Out.find_first_not_of(' ', 2));
    return Out;
}
} // namespace

std::vector<TFormulaText> FormulaTexts(const std::string& Text)
{
    std::vector<TFormulaText> Out;
    const char* End = Text.c_str() + Text.size();
    for (std::size_t Position = 0; Position < Text.size();) {
        ScanReset(Text.c_str() + Position, End);
        ReadNext();
        const bool Query = Current == '?' && At(Index) == '-';
        while (Current != 0 && !Error) {
            ReadRaw();
            if (Current == '"')
                InString = !InString;
        }
        InString = false;
        if (Error || Index == 0)
            break;
        // Blanks and comments after the last formula are none.
        std::string Written = Tidy(Text.substr(Position, static_cast<std::size_t>(Index)), Query);
        if (!Written.empty() || Query)
            Out.push_back({std::move(Written), Query, Position, static_cast<std::size_t>(Index)});
        Position += static_cast<std::size_t>(Index);
    }
    ScanReset(Text.c_str(), End);
    return Out;
}

void ReadRaw()
{
    if (Error)
        return;
    LastRead = 0;
    TakeCurrent();
}

void ReadNext()
{
    if (Error)
        return;
    LastRead = 0;
    do
        TakeCurrent();
    while (IsBlank(Current));
}

void ReadString()
{
    InString = true;
    ReadRaw();
    while (Current != '"' && !Error) {
        // The end of the text, or a "." before a blank, before the closing quote.
        if (Current == 0) {
            InString = false;
            SetError(ErrStringNotClosed);
            Token.clear();
            return;
        }
        Token += static_cast<char>(Current);
        ReadRaw();
    }
    InString = false;
    ReadNext();
    if (Error) {
        Token.clear();
        return;
    }
    Push(new TStrLit(Token));
    Token.clear();
}

void ReadNumber()
{
    bool Real = false;
    while (IsDigit(Current) && !Error) {
        Token += static_cast<char>(Current);
        ReadRaw();
        if (Current == 'E' || Current == 'e' || Current == '.') {
            Real = true;
            Token += static_cast<char>(Current);
            ReadRaw();
            if (Current == '+' || Current == '-') {
                Token += static_cast<char>(Current);
                ReadRaw();
            }
        }
    }
    if (IsBlank(Current))
        ReadNext();
    bool Ok = true;
    TId* Number =
        Real ? static_cast<TId*>(new TReal(Token, Ok)) : static_cast<TId*>(new TInteger(Token, Ok));
    if (!Ok)
        SetError(Real ? ErrInvalidReal : ErrInvalidInteger);
    Push(Number); // released with the rest of the parse on an error
    Token.clear();
}

std::string ReadIdentifier()
{
    while (IsIdentChar(Current) && !Error) {
        Token += static_cast<char>(Current);
        ReadRaw();
    }
    std::string Name;
    Name.swap(Token);
    return Name;
}

void ReadVariable()
{
    std::string Name = ReadIdentifier();
    if (IsBlank(Current))
        ReadNext();
    if (Name == "_")
        Name += "#" + std::to_string(AnonymousCounter++);
    Push(new TVar(Name));
}
