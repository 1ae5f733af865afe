#include "language/codec.h"

#include "model/symbols.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace {
constexpr char Bom[] = "\xEF\xBB\xBF";

// Length of the valid UTF-8 sequence of two or more bytes at I, or 0.
std::size_t SequenceAt(const std::string& S, std::size_t I, char32_t& Code)
{
    const auto B0 = static_cast<unsigned char>(S[I]);
    std::size_t Len = 0;
    char32_t Min = 0;
    if (B0 >= 0xC2 && B0 <= 0xDF) {
        Len = 2;
        Code = B0 & 0x1F;
        Min = 0x80;
    } else if (B0 >= 0xE0 && B0 <= 0xEF) {
        Len = 3;
        Code = B0 & 0x0F;
        Min = 0x800;
    } else if (B0 >= 0xF0 && B0 <= 0xF4) {
        Len = 4;
        Code = B0 & 0x07;
        Min = 0x10000;
    } else {
        return 0;
    }
    if (I + Len > S.size())
        return 0;
    for (std::size_t K = 1; K < Len; ++K) {
        const auto B = static_cast<unsigned char>(S[I + K]);
        if ((B & 0xC0) != 0x80)
            return 0;
        Code = (Code << 6) | (B & 0x3F);
    }
    if (Code < Min || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF))
        return 0;
    return Len;
}

std::size_t BomLength(const std::string& S)
{
    return S.compare(0, 3, Bom) == 0 ? 3 : 0;
}

// The offset of the first byte from From on that is no part of valid UTF-8, or npos.
std::size_t FirstInvalid(const std::string& S, std::size_t From)
{
    for (std::size_t I = From; I < S.size();) {
        if (static_cast<unsigned char>(S[I]) < 0x80) {
            ++I;
            continue;
        }
        char32_t Code = 0;
        const std::size_t Len = SequenceAt(S, I, Code);
        if (Len == 0)
            return I;
        I += Len;
    }
    return std::string::npos;
}

// The symbol byte of a Unicode symbol; 0 for another character.
unsigned char SymbolByte(char32_t Code)
{
    for (const Sym::TSymbolCode& S : Sym::Codes)
        if (S.Code == Code)
            return S.Byte;
    return 0;
}

bool IsSymbolByte(unsigned char B)
{
    for (const Sym::TSymbolCode& S : Sym::Codes)
        if (S.Byte == B)
            return true;
    return false;
}

// Whether the bytes hold a logical symbol written in UTF-8.
bool WritesSymbolsInUtf8(const std::string& S)
{
    for (std::size_t I = 0; I < S.size(); ++I) {
        char32_t Code = 0;
        if (static_cast<unsigned char>(S[I]) >= 0xC2 && SequenceAt(S, I, Code) && SymbolByte(Code))
            return true;
    }
    return false;
}

void AppendUtf8(std::string& Out, char32_t Code)
{
    if (Code < 0x80) {
        Out += static_cast<char>(Code);
    } else if (Code < 0x800) {
        Out += static_cast<char>(0xC0 | (Code >> 6));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    } else if (Code < 0x10000) {
        Out += static_cast<char>(0xE0 | (Code >> 12));
        Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (Code >> 18));
        Out += static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    }
}

// Valid UTF-8 from Start on, in the prover's bytes; Shifts gets where text and file part.
void DecodeValid(const std::string& File, std::size_t Start, std::size_t End, std::string& Text,
                 std::vector<std::pair<std::size_t, std::size_t>>* Shifts)
{
    Text.reserve(Text.size() + End - Start);
    for (std::size_t I = Start; I < End;) {
        char32_t Code = 0;
        const std::size_t Len =
            static_cast<unsigned char>(File[I]) < 0x80 ? 0 : SequenceAt(File, I, Code);
        if (Len == 0) {
            Text += File[I];
            ++I;
            continue;
        }
        if (const unsigned char B = SymbolByte(Code)) {
            Text += static_cast<char>(B);
            if (Shifts)
                Shifts->push_back({Text.size(), I + Len});
        } else {
            Text.append(File, I, Len);
        }
        I += Len;
    }
}
} // namespace

std::size_t TDocument::FileOffset(std::size_t Index) const
{
    if (Index > Text.size())
        Index = Text.size();
    // The last shift at or before Index.
    auto It = std::upper_bound(
        Shifts.begin(), Shifts.end(), Index,
        [](std::size_t I, const std::pair<std::size_t, std::size_t>& S) { return I < S.first; });
    if (It == Shifts.begin())
        return Index;
    --It;
    return It->second + (Index - It->first);
}

TDocument PlainDocument(const std::string& Text)
{
    TDocument Doc;
    Doc.Text = Text;
    return Doc;
}

TDocument DecodeDocument(const std::string& File)
{
    TDocument Doc;
    const std::size_t Start = BomLength(File);
    const std::size_t Invalid = FirstInvalid(File, Start);
    const bool Utf8 = Invalid == std::string::npos || Start > 0 || WritesSymbolsInUtf8(File);
    if (Utf8) {
        // Valid runs decoded, a stray byte between them kept as it is.
        Doc.Shifts.push_back({0, Start});
        for (std::size_t From = Start, Bad = Invalid;; Bad = FirstInvalid(File, From)) {
            const std::size_t End = Bad == std::string::npos ? File.size() : Bad;
            DecodeValid(File, From, End, Doc.Text, &Doc.Shifts);
            if (Bad == std::string::npos)
                break;
            Doc.Stray.push_back(Doc.Text.size());
            Doc.Text += File[Bad];
            From = Bad + 1;
            Doc.Shifts.push_back({Doc.Text.size(), From});
        }
        // Decided once: a UTF-8 file that would not come back exactly is read as bytes.
        Doc.Utf8 = EncodeDocument(Doc.Text, true, false, Doc.Stray) ==
                   std::string_view(File).substr(Start);
        Doc.Bom = Doc.Utf8 && Start > 0;
        Doc.InvalidAt = Invalid;
    }
    if (!Doc.Utf8) {
        Doc.Text = File;
        std::vector<std::pair<std::size_t, std::size_t>>().swap(Doc.Shifts);
        std::vector<std::size_t>().swap(Doc.Stray);
    }
    Doc.ForeignAt = FindForeign(Doc.Text);
    return Doc;
}

std::string StrayByteMessage(unsigned char Byte)
{
    char Hex[8];
    std::snprintf(Hex, sizeof Hex, "0x%02X", Byte);
    return std::string("Byte ") + Hex +
           " is not UTF-8, though the document writes its symbols "
           "in UTF-8.";
}

std::string EncodeDocument(const std::string& Text, bool Utf8, bool WithBom,
                           const std::vector<std::size_t>& Raw)
{
    std::string Out = WithBom ? Bom : "";
    if (!Utf8)
        return Out + Text;
    std::size_t From = 0;
    for (std::size_t At : Raw) {
        if (At >= Text.size() || At < From)
            continue;
        Out += EncodeReport(Text.substr(From, At - From));
        Out += Text[At];
        From = At + 1;
    }
    return Out + EncodeReport(Text.substr(From));
}

std::string DecodeUtf8Text(const std::string& Utf8)
{
    std::string Text;
    DecodeValid(Utf8, 0, Utf8.size(), Text, nullptr);
    return Text;
}

std::string EncodeReport(const std::string& Bytes)
{
    std::string Out;
    Out.reserve(Bytes.size() + Bytes.size() / 4);
    for (std::size_t I = 0; I < Bytes.size();) {
        const auto B = static_cast<unsigned char>(Bytes[I]);
        if (B < 0x80) {
            Out += static_cast<char>(B);
            ++I;
            continue;
        }
        char32_t Code = 0;
        if (const std::size_t Len = SequenceAt(Bytes, I, Code)) {
            Out.append(Bytes, I, Len);
            I += Len;
            continue;
        }
        char32_t Mapped = B; // Latin-1
        for (const Sym::TSymbolCode& S : Sym::Codes)
            if (S.Byte == B)
                Mapped = S.Code;
        AppendUtf8(Out, Mapped);
        ++I;
    }
    return Out;
}

std::size_t FindForeign(const std::string& Text, std::size_t From)
{
    for (std::size_t I = From; I < Text.size(); ++I) {
        const auto B = static_cast<unsigned char>(Text[I]);
        if (B < 0x80)
            continue;
        char32_t Code = 0;
        if (SequenceAt(Text, I, Code) || !IsSymbolByte(B))
            return I;
    }
    return std::string::npos;
}

TPosition PositionOf(const std::string& File, std::size_t Offset, bool Utf8)
{
    if (Offset > File.size())
        Offset = File.size();
    TPosition P{1, 1};
    for (std::size_t I = Utf8 ? std::min(BomLength(File), Offset) : 0; I < Offset;) {
        if (File[I] == '\n') {
            ++P.Line;
            P.Column = 1;
            ++I;
            continue;
        }
        char32_t Code = 0;
        const std::size_t Len = Utf8 ? SequenceAt(File, I, Code) : 0;
        I += Len > 0 ? Len : 1;
        ++P.Column;
    }
    return P;
}
