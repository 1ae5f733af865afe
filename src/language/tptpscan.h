// The scanner of TPTP text: tokens with their line and column.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

enum class TKind {
    End,
    Lower,    // lower_word
    Upper,    // upper_word: a variable
    Quoted,   // 'single quoted'
    Distinct, // "distinct object"
    Dollar,   // $word
    Number,
    Punct, // ( ) [ ] , . : ! ? ~ & | = != => <= <=> <~> ~| ~&
    Bad,
};

struct TToken {
    TKind Kind = TKind::End;
    std::string Text;
    std::size_t Line = 1;
    std::size_t Column = 1;
};

class TTptpScanner {
public:
    // Stop, when given, is asked every 64 KiB of text; once it says so the text ends there.
    explicit TTptpScanner(const std::string& AText, const std::function<bool()>* AStop = nullptr)
        : Text(AText), Stop(AStop)
    {
    }

    bool Stopped() const { return WasStopped; }

    // The next token; an End token at the end of the text, a Bad one with its message at a
    // fault.
    TToken Next();

private:
    static bool IsLower(char C) { return C >= 'a' && C <= 'z'; }
    static bool IsUpper(char C) { return C >= 'A' && C <= 'Z'; }
    static bool IsDigit(char C) { return C >= '0' && C <= '9'; }
    static bool IsAlnum(char C) { return IsLower(C) || IsUpper(C) || IsDigit(C) || C == '_'; }

    void Take();
    void SkipBlanksAndComments();

    const std::string& Text;
    const std::function<bool()>* Stop;
    std::size_t Taken = 0;
    bool WasStopped = false;
    std::size_t At = 0;
    std::size_t Line = 1;
    std::size_t Column = 1;
};
