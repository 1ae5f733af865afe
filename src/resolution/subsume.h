// Subsumption between clauses of the clause form: whether an instance of one is part of
// another.
#pragma once

#include "resolution/clauses.h"

#include <cstdint>
#include <utility>
#include <vector>

class TId;
class TVariable;

// Matches clauses, keeping its storage from one question to the next.
class TSubsumer {
public:
    // Whether an instance of C is part of D (C has no more literals than D). The variables of
    // D stand for themselves. Gives up, answering no, after a bounded number of steps.
    bool Subsumes(const TClause& C, const TClause& D);

private:
    static constexpr std::int64_t StepLimit = 20000;

    bool Literal(const TClause& C, const TClause& D, std::size_t I);
    TId* BindingOf(const TVariable* V) const;
    // One-way matching: the unbound variables of the pattern P take parts of T.
    bool Match(TId* P, TId* T);

    std::vector<std::pair<const TVariable*, TId*>> Bindings;
    std::int64_t Steps = 0;
};
