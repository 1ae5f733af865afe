#include "language/tptpscan.h"

TToken TTptpScanner::Next()
{
    SkipBlanksAndComments();
    TToken T;
    T.Line = Line;
    T.Column = Column;
    if (At >= Text.size())
        return T;
    const char C = Text[At];
    if (IsLower(C) || IsUpper(C) || C == '$') {
        const std::size_t Start = At;
        Take();
        while (At < Text.size() && IsAlnum(Text[At]))
            Take();
        T.Text = Text.substr(Start, At - Start);
        T.Kind = C == '$' ? TKind::Dollar : IsLower(C) ? TKind::Lower : TKind::Upper;
        return T;
    }
    if (IsDigit(C) || ((C == '+' || C == '-') && At + 1 < Text.size() && IsDigit(Text[At + 1]))) {
        const std::size_t Start = At;
        Take();
        while (At < Text.size() && (IsDigit(Text[At]) || Text[At] == '.' || Text[At] == '/' ||
                                    Text[At] == 'e' || Text[At] == 'E' ||
                                    ((Text[At] == '+' || Text[At] == '-') &&
                                     (Text[At - 1] == 'e' || Text[At - 1] == 'E')))) {
            // A "." ends the number unless a digit follows: "fof(1, ...)." and "2.5".
            if (Text[At] == '.' && !(At + 1 < Text.size() && IsDigit(Text[At + 1])))
                break;
            Take();
        }
        T.Text = Text.substr(Start, At - Start);
        T.Kind = TKind::Number;
        return T;
    }
    if (C == '\'' || C == '"') {
        Take();
        std::string Value;
        while (At < Text.size() && Text[At] != C) {
            if (Text[At] == '\\' && At + 1 < Text.size())
                Take();
            if (Text[At] == '\n') {
                T.Kind = TKind::Bad;
                T.Text = C == '\'' ? "a quoted name is not closed on its line"
                                   : "a distinct object is not closed on its line";
                return T;
            }
            Value += Text[At];
            Take();
        }
        if (At >= Text.size()) {
            T.Kind = TKind::Bad;
            T.Text = "a quoted text is not closed";
            return T;
        }
        Take();
        T.Kind = C == '\'' ? TKind::Quoted : TKind::Distinct;
        T.Text = Value;
        return T;
    }
    static const char* const Puncts[] = {"<=>", "<~>", "=>", "<=", "!=", "~|", "~&", "(", ")", "[",
                                         "]",   ",",   ".",  ":",  "!",  "?",  "~",  "&", "|", "="};
    for (const char* P : Puncts) {
        const std::size_t N = std::char_traits<char>::length(P);
        if (Text.compare(At, N, P) == 0) {
            for (std::size_t I = 0; I < N; ++I)
                Take();
            T.Kind = TKind::Punct;
            T.Text = P;
            return T;
        }
    }
    T.Kind = TKind::Bad;
    T.Text = std::string("unexpected character '") + C + "'";
    Take();
    return T;
}

void TTptpScanner::Take()
{
    if (Stop && ++Taken >= (1u << 16)) {
        Taken = 0;
        if ((*Stop)()) {
            WasStopped = true;
            At = Text.size();
            return;
        }
    }
    if (Text[At] == '\n') {
        ++Line;
        Column = 1;
    } else if ((static_cast<unsigned char>(Text[At]) & 0xC0) != 0x80) {
        ++Column; // a UTF-8 character counts once
    }
    ++At;
}

void TTptpScanner::SkipBlanksAndComments()
{
    while (At < Text.size()) {
        const char C = Text[At];
        if (C == ' ' || C == '\t' || C == '\n' || C == '\r' || C == '\f' || C == '\v') {
            Take();
        } else if (C == '%') {
            while (At < Text.size() && Text[At] != '\n')
                Take();
        } else if (C == '/' && At + 1 < Text.size() && Text[At + 1] == '*') {
            Take();
            Take();
            while (At < Text.size() && Text.compare(At, 2, "*/") != 0)
                Take();
            if (At < Text.size()) {
                Take();
                Take();
            }
        } else {
            return;
        }
    }
}
