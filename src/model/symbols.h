// The symbol bytes of the formula language: one byte each, shown by the symbol font.
#pragma once

namespace Sym {
inline constexpr unsigned char ForAll = 0xF7;
inline constexpr unsigned char Exists = 0xF6;
inline constexpr unsigned char Not = 0xAC;
inline constexpr unsigned char And = 0xFD;
inline constexpr unsigned char Or = 0xFC;
inline constexpr unsigned char Implies = 0xF4;
inline constexpr unsigned char Equiv = 0xF3;
inline constexpr unsigned char LessEq = 0xDF;
inline constexpr unsigned char GreaterEq = 0xDD;
inline constexpr unsigned char NotEq = 0xE1;
inline constexpr unsigned char True = 0xE4;  // output only
inline constexpr unsigned char False = 0xE7; // output only

inline constexpr char Ch(unsigned char Byte)
{
    return static_cast<char>(Byte);
}

// The Unicode character each symbol byte stands for.
struct TSymbolCode {
    unsigned char Byte;
    char32_t Code;
};
inline constexpr TSymbolCode Codes[] = {
    {ForAll, U'\u2200'},    {Exists, U'\u2203'},  {Not, U'\u00AC'},   {And, U'\u2227'},
    {Or, U'\u2228'},        {Implies, U'\u2192'}, {Equiv, U'\u2194'}, {LessEq, U'\u2264'},
    {GreaterEq, U'\u2265'}, {NotEq, U'\u2260'},   {True, U'\u22A4'},  {False, U'\u22A5'},
};

// The relations of the formula language: < = > and the three symbols.
inline constexpr bool IsRelation(unsigned char C)
{
    return C == '<' || C == '=' || C == '>' || C == GreaterEq || C == LessEq || C == NotEq;
}

// The other quantifier: for-all and there-exists swap, anything else stays.
inline constexpr unsigned char Turned(unsigned char Kind)
{
    return Kind == ForAll ? Exists : Kind == Exists ? ForAll : Kind;
}
} // namespace Sym
