// The Knuth-Bendix ordering of the equality calculus, on terms and on literals.
#pragma once

#include "resolution/eqterms.h"

#include <vector>

enum class TOrder : std::uint8_t { Less, Equal, Greater, Incomparable };

inline TOrder Reversed(TOrder O)
{
    return O == TOrder::Less ? TOrder::Greater : O == TOrder::Greater ? TOrder::Less : O;
}

// Every symbol and variable weighs 1; symbols are compared by the bank's precedence. Stable
// under substitution, total on ground terms, and a term is greater than its proper subterms.
class TKbo {
public:
    explicit TKbo(const TTermBank& ABank) : Bank(ABank) {}
    TOrder Compare(TTermRef S, TTermRef T);
    bool Greater(TTermRef S, TTermRef T) { return Compare(S, T) == TOrder::Greater; }
    const TTermBank& Terms() const { return Bank; }

private:
    // Whether each variable occurs in S at least as often as in T.
    bool Covers(TTermRef S, TTermRef T);
    void Count(TTermRef T, int By);

    const TTermBank& Bank;
    std::vector<int> Counts;
    std::vector<TTermRef> Pending;
};
