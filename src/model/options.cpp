#include "model/options.h"

#include <cerrno>
#include <cstdlib>

namespace {
using G = TOptionGroup;
using M = TOptionMenu;

constexpr TOptionItem Items[OptionCount] = {
    {TOption::Axioms, "Axioms", "Axioms", false, G::None, M::Output},
    {TOption::Progress, "Progress", "Progress", true, G::None, M::Output},
    {TOption::Sources, "Sources", "Sources", true, G::None, M::Output},
    {TOption::Resolvents, "Resolvents", "Resolvents", false, G::None, M::Output},
    {TOption::Time, "Time", "Time", true, G::None, M::Output},
    {TOption::Memory1, "Memory1", "Memory", true, G::None, M::Output},
    {TOption::Unsim, "Unsim", "Unsimplified", false, G::None, M::Output},
    {TOption::Stat, "Stat", "Statistics", false, G::None, M::Output},
    {TOption::SRcheck1, "SRcheck1", "SR-check", false, G::None, M::Output},
    {TOption::Redcheck1, "Redcheck1", "Without Check", false, G::RedundancyCheck, M::ProveTheorem},
    {TOption::Checkby1, "Checkby1", "Check by consequence", true, G::RedundancyCheck,
     M::ProveTheorem},
    {TOption::Checkby2, "Checkby2", "Check by equivalence", false, G::RedundancyCheck,
     M::ProveTheorem},
    {TOption::Without1, "Without1", "Without restr. strategy", true, G::Restriction,
     M::ProveTheorem},
    {TOption::Filtra1, "Filtra1", "Filtration strategy", false, G::Restriction, M::ProveTheorem},
    {TOption::Support1, "Support1", "Support set strategy", false, G::Restriction, M::ProveTheorem},
    {TOption::Quant1, "Quant1", "Quantification On", false, G::None, M::Unification},
    {TOption::General, "General", "General cut", false, G::None, M::Unification},
    {TOption::Skolem1, "Skolem1", "Skolemization", false, G::None, M::Unification},
    {TOption::Exiton3, "Exiton3", "Exit on first unused", false, G::AtomLoop, M::Unification},
    {TOption::Exiton1, "Exiton1", "Exit on first match", true, G::AtomLoop, M::Unification},
    {TOption::Exiton2, "Exiton2", "Exit on last match", false, G::AtomLoop, M::Unification},
    {TOption::Oneref1, "Oneref1", "One refutation", false, G::Refutations, M::Unification},
    {TOption::Allref1, "Allref1", "All refutations", true, G::Refutations, M::Unification},
};
} // namespace

const TOptionItem (&OptionItems())[OptionCount]
{
    return Items;
}

const TOptionItem& OptionItem(TOption Item)
{
    return Items[static_cast<int>(Item)];
}

int GroupMembers(TOptionGroup Group, TOption (&Members)[OptionCount])
{
    int N = 0;
    if (Group == TOptionGroup::None)
        return 0;
    for (const TOptionItem& It : Items)
        if (It.Group == Group)
            Members[N++] = It.Item;
    return N;
}

TOptionState::TOptionState()
{
    for (const TOptionItem& It : Items)
        Marks[static_cast<int>(It.Item)] = It.Default;
}

void TOptionState::Choose(TOption Item)
{
    const TOptionGroup Group = OptionItem(Item).Group;
    if (Group == TOptionGroup::None) {
        Marks[static_cast<int>(Item)] = !Marks[static_cast<int>(Item)];
        return;
    }
    TOption Members[OptionCount];
    const int N = GroupMembers(Group, Members);
    for (int I = 0; I < N; ++I)
        Marks[static_cast<int>(Members[I])] = false;
    Marks[static_cast<int>(Item)] = true;
}

void TOptionState::Set(TOption Item, bool Value)
{
    if (OptionItem(Item).Group != TOptionGroup::None && Value)
        Choose(Item);
    else
        Marks[static_cast<int>(Item)] = Value;
}

TLimitEntry ParseDCFLimit(const std::string& Text)
{
    // An integer in decimal, optionally signed, without blanks around it, in 32 bits.
    const std::string Bad = "'" + Text + "' is not a valid integer value";
    std::size_t I = 0;
    if (I < Text.size() && (Text[I] == '+' || Text[I] == '-'))
        ++I;
    if (I == Text.size())
        return {false, 0, Bad};
    for (std::size_t J = I; J < Text.size(); ++J)
        if (Text[J] < '0' || Text[J] > '9')
            return {false, 0, Bad};
    errno = 0;
    const long long Value = std::strtoll(Text.c_str(), nullptr, 10);
    if (errno == ERANGE || Value > INT32_MAX || Value < INT32_MIN)
        return {false, 0, Bad};
    return {true, Value < 1 ? 1 : static_cast<std::int32_t>(Value), ""};
}
