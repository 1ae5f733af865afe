#include "model/tptpnames.h"

namespace {
constexpr char Hex[] = "0123456789abcdef";

bool IsLetterOrDigit(unsigned char C)
{
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9');
}

// Letters and digits as they are, every other byte "_" and two hex digits: one to one, since
// every "_" of the result begins such a triple.
std::string Escaped(const std::string& Text)
{
    std::string Out;
    for (unsigned char C : Text) {
        if (IsLetterOrDigit(C)) {
            Out += static_cast<char>(C);
        } else {
            Out += '_';
            Out += Hex[C >> 4];
            Out += Hex[C & 15];
        }
    }
    return Out;
}

int HexValue(char C)
{
    if (C >= '0' && C <= '9')
        return C - '0';
    if (C >= 'a' && C <= 'f')
        return C - 'a' + 10;
    return -1;
}

// The text back from Escaped, from Mark and two hex digits; false for a text Escaped does not
// make.
bool Unescaped(const std::string& Text, char Mark, std::string& Out)
{
    Out.clear();
    for (std::size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] != Mark) {
            Out += Text[I];
            continue;
        }
        if (I + 2 >= Text.size())
            return false;
        const int High = HexValue(Text[I + 1]);
        const int Low = HexValue(Text[I + 2]);
        if (High < 0 || Low < 0)
            return false;
        Out += static_cast<char>(High * 16 + Low);
        I += 2;
    }
    return true;
}

bool StartsWith(const std::string& S, const char* Prefix)
{
    return S.rfind(Prefix, 0) == 0;
}

bool Reserved(const std::string& Name)
{
    return StartsWith(Name, "q_") || StartsWith(Name, "n_") || StartsWith(Name, "nivar_");
}
} // namespace

bool IsLowerWord(const std::string& Name)
{
    if (Name.empty() || !(Name[0] >= 'a' && Name[0] <= 'z'))
        return false;
    for (unsigned char C : Name)
        if (!IsLetterOrDigit(C) && C != '_')
            return false;
    return true;
}

std::string Quoted(const std::string& Text, char Quote)
{
    std::string Out(1, Quote);
    for (char C : Text) {
        if (C == Quote || C == '\\')
            Out += '\\';
        Out += C;
    }
    return Out + Quote;
}

std::string TptpName(const std::string& Name)
{
    return IsLowerWord(Name) ? Name : Quoted(Name, '\'');
}

std::string NivarName(const std::string& Name)
{
    if (IsLowerWord(Name) && !Reserved(Name))
        return Name;
    return "q_" + Escaped(Name);
}

std::string NivarNumber(const std::string& Text)
{
    const std::string Digits = !Text.empty() && Text[0] == '+' ? Text.substr(1) : Text;
    const std::size_t First = !Digits.empty() && Digits[0] == '-' ? 1 : 0;
    const bool Integer =
        Digits.size() > First && Digits.find_first_not_of("0123456789", First) == std::string::npos;
    if (Integer && Digits.size() - First <= 9)
        return Digits;
    return "n_" + Escaped(Digits); // "+2.5" is 2.5
}

std::string NivarString(const std::string& Text)
{
    std::string Out;
    for (unsigned char C : Text) {
        if (C < 0x20 || C >= 0x7F || C == '"' || C == '.' || C == '%' || C == '\\') {
            Out += '\\';
            Out += Hex[C >> 4];
            Out += Hex[C & 15];
        } else {
            Out += static_cast<char>(C);
        }
    }
    return Out;
}

bool TTptpNaming::IsSkolem(const std::string& Nivar)
{
    return StartsWith(Nivar, "sk#");
}

bool TTptpNaming::IsNumber(const std::string& Nivar)
{
    return StartsWith(Nivar, "n_");
}

std::string TTptpNaming::Functor(const std::string& Nivar) const
{
    std::string Text;
    if (StartsWith(Nivar, "q_") && Unescaped(Nivar.substr(2), '_', Text))
        return TptpName(Text);
    if (StartsWith(Nivar, "n_") && Unescaped(Nivar.substr(2), '_', Text))
        return Text;
    if (IsSkolem(Nivar)) {
        // sk#3 is sk3, or sk3_1, sk3_2... where the file has that name already.
        const std::string Base = "sk" + Nivar.substr(3);
        std::string Name = Base;
        for (int I = 1; Taken.count(Name); ++I)
            Name = Base + "_" + std::to_string(I);
        return Name;
    }
    return TptpName(Nivar);
}

std::string TTptpNaming::Distinct(const std::string& Nivar, bool Read)
{
    std::string Text;
    if (!Read || !Unescaped(Nivar, '\\', Text))
        Text = Nivar;
    return Quoted(Text, '"');
}
