// A whole text, compiled formula after formula as a proof run reads it.
#pragma once

#include "language/lexer.h"
#include "model/formula.h"

#include <cstdint>
#include <string>

// Before each formula Go() says whether to go on; each compiled formula goes to
// Take(formula, offset where its text began), which owns it. A syntax error ends the walk
// (its message shown by XComp): the result is then the caret index of the error, just after
// the last character before it; otherwise -1.
template <class TGo, class TTake>
std::int32_t ForEachFormula(TPLProgram& Program, const std::string& Text, TGo Go, TTake Take)
{
    std::size_t Position = 0;
    std::int32_t Consumed = 0;
    // A NUL inside the text is no end of it: it is reported where it stands.
    while (Position < Text.size() && Go()) {
        TFALFormula* Formula = nullptr;
        Program.XComp(Text.c_str() + Position, Formula, Text.c_str() + Text.size());
        if (!Formula) // a stop in the middle of a formula is no syntax error
            return Program.ErrCode == ErrStopped ? -1 : Consumed + Program.TextPos + 1;
        const std::int32_t Start = Consumed;
        Position += static_cast<std::size_t>(Program.TextPos);
        Consumed += Program.TextPos;
        Take(Formula, Start);
    }
    return -1;
}
