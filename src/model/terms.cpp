#include "model/terms.h"

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
