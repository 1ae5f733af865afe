#include "model/formula.h"

namespace {
// Orders texts without regard to the case of a to z; only the sign counts.
std::int32_t CompareTexts(const std::string& A, const std::string& B)
{
    const std::size_t N = std::min(A.size(), B.size());
    for (std::size_t I = 0; I < N; ++I) {
        auto X = static_cast<unsigned char>(A[I]);
        auto Y = static_cast<unsigned char>(B[I]);
        if (X >= 'a' && X <= 'z')
            X = static_cast<unsigned char>(X - 'a' + 'A');
        if (Y >= 'a' && Y <= 'z')
            Y = static_cast<unsigned char>(Y - 'a' + 'A');
        if (X != Y)
            return static_cast<std::int32_t>(X) - static_cast<std::int32_t>(Y);
    }
    return static_cast<std::int32_t>(A.size()) - static_cast<std::int32_t>(B.size());
}

std::int32_t CompareNumbers(long double A, long double B)
{
    return A > B ? 1 : A < B ? -1 : 0;
}

TId* BoundValue(TId* Other)
{
    if (Other && Other->Is(TClass::Variable))
        return static_cast<TVariable*>(Other)->Id;
    return nullptr;
}
} // namespace

std::int32_t TStrLit::Compare(TId* Other)
{
    if (Other && Other->Is(TClass::StrLit))
        return CompareTexts(Value, static_cast<TStrLit*>(Other)->Value);
    if (TId* V = BoundValue(Other))
        return Compare(V);
    return -1;
}

namespace {
std::int32_t CompareNumber(TNumber* Self, TId* Other)
{
    if (Other && Other->IsNumber())
        return CompareNumbers(Self->GetNumber(), static_cast<TNumber*>(Other)->GetNumber());
    if (Other && Other->Is(TClass::StrLit))
        return 1;
    if (TId* V = BoundValue(Other))
        return Self->Compare(V);
    return -1;
}
} // namespace

std::int32_t TInteger::Compare(TId* Other)
{
    return CompareNumber(this, Other);
}

std::int32_t TReal::Compare(TId* Other)
{
    return CompareNumber(this, Other);
}

std::int32_t TVar::Compare(TId* Other)
{
    if (Other && Other->Is(TClass::Var))
        return CompareTexts(Name, static_cast<TVar*>(Other)->Name);
    if (Other && Other->Is(TClass::Variable)) {
        TId* V = static_cast<TVariable*>(Other)->Id;
        return V ? Compare(V) : 1; // against no term at all
    }
    if (Other && Other->IsFunc())
        return -1;
    return 1;
}

std::int32_t TFunc::Compare(TId* Other)
{
    if (Other && Other->IsFunc()) {
        const bool SelfArgs = Is(TClass::Functor);
        const bool OtherArgs = Other->Is(TClass::Functor);
        if (SelfArgs && OtherArgs) {
            auto* A = static_cast<TFunctor*>(this);
            auto* B = static_cast<TFunctor*>(Other);
            if (const std::int32_t R = CompareTexts(A->Name, B->Name))
                return R;
            if (B->Params.Count() < A->Params.Count())
                return 1;
            if (B->Params.Count() > A->Params.Count())
                return -1;
            std::int32_t R = 0;
            for (std::int32_t I = 0; I < A->Params.Count() && R == 0; ++I)
                if (A->Params.Get(I) && B->Params.Get(I))
                    R = A->Params.Get(I)->Compare(B->Params.Get(I));
            return R;
        }
        if (SelfArgs)
            return 1;
        if (OtherArgs)
            return -1;
        return CompareTexts(Name, static_cast<TFunc*>(Other)->Name);
    }
    if (TId* V = BoundValue(Other))
        return Compare(V);
    return 1;
}

std::int32_t TVariable::Compare(TId* Other)
{
    if (Id)
        return Id->Compare(Other);
    if (Other && Other->Is(TClass::Variable)) {
        TId* V = static_cast<TVariable*>(Other)->Id;
        if (!V)
            return CompareTexts(Name, static_cast<TVariable*>(Other)->Name);
        if (V->Is(TClass::Var))
            return CompareTexts(Name, static_cast<TVar*>(V)->Name);
        if (V->IsNumber() || V->Is(TClass::StrLit))
            return 1;
        // Against the value of a variable bound to a variable, as a bound receiver compares:
        // a fixed -1 would order the pair below each other both ways round.
        if (V->Is(TClass::Variable))
            return Compare(V);
        return -1;
    }
    if (Other && (Other->IsNumber() || Other->Is(TClass::StrLit)))
        return 1;
    return -1;
}
