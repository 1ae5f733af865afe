#include "model/terms.h"

#include "model/symbols.h"

const std::string& SymbolOf(const TId* T)
{
    static const std::string None;
    return T && T->IsFunc() ? static_cast<const TFunc*>(T)->Name.Str() : None;
}

std::span<TId* const> ArgumentsOf(const TId* T)
{
    if (!T || !T->Is(TClass::Functor))
        return {};
    const auto& Items = static_cast<const TFunctor*>(T)->Params.Items;
    return {Items.data(), Items.size()};
}

TEquation EquationOf(const TId* T)
{
    const std::string& Name = SymbolOf(T);
    if (Name.size() != 1 || ArityOf(T) != 2)
        return {};
    const auto Symbol = static_cast<unsigned char>(Name[0]);
    if (Symbol != '=' && Symbol != Sym::NotEq)
        return {};
    return {ArgumentsOf(T)[0], ArgumentsOf(T)[1], Symbol == Sym::NotEq};
}
