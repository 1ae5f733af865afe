#include "language/lexer.h"
#include "language/parser.h"
#include "model/formula.h"
#include "model/owner.h"
#include "model/runstate.h"

#include <chrono>

void TPLProgram::XComp(const char* Text, TFALFormula*& Formula, const char* End)
{
    Formula = nullptr;
    FirstAtom = nullptr;
    LastAtom = nullptr;
    bool IsQuery = false;
    ScanReset(Text, End);
    ParseReset();
    ReadNext();
    if (CurChar() == '?' && ScanBase()[ScanIndex()] == '-') {
        IsQuery = true;
        ReadRaw();
        ReadNext();
    }
    if (!ScanError())
        ParseFormula();
    if (!ScanError()) {
        const bool AfterPeriod = ScanIndex() > 0 && ScanBase()[ScanIndex() - 1] == '.';
        if (CurChar() == ')')
            SetError(ErrUnexpectedRightBracket);
        else if (CurChar() == 0 && AfterPeriod)
            SetError(ErrComplete);
        else if (CurChar() == 0)
            SetError(ErrMissingDelimiter);
        else
            SetError(ErrMissingOperator);
    }
    std::uint8_t Code = ScanError();
    if (Code == ErrComplete) {
        ClearError();
        Code = ErrNone;
        auto* Root = static_cast<TSub*>(Pop());
        TFALFormula* F = IsQuery ? new TQuery(this) : new TFALFormula(this);
        F->Cont = Root;
        Root->Ac = F;
        F->MF = FirstAtom;
        F->ML = LastAtom;
        F->PostComp();
        Formula = F;
        ReadNext();
        TextPos = CurChar() == 0 ? ScanIndex() : ScanIndex() - 1;
    } else {
        ReleaseParseStack();
        TextPos = ScanIndex() - LastReadCount() - 1;
    }
    FirstAtom = nullptr;
    LastAtom = nullptr;
    ErrCode = Code;
    const std::string Message = ErrorMessage(Code);
    if (!Message.empty() && Owner) {
        // The time a message box stands open is the user's, not the proof's.
        const auto Shown = std::chrono::steady_clock::now();
        Owner->ShowMessage(Message);
        MessageSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - Shown).count();
    }
}
