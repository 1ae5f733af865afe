// The symbols of formulas as a model search reads them, and the tuples of a domain.
#pragma once

#include "model/formula.h"
#include "model/tptpnames.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

using TTuple = std::vector<int>;

// The symbols of formulas, in the order of their first appearance: numbers and strings (the
// literals, elements of their own), constants, functions and predicates with their arities.
struct TSignature {
    std::vector<std::string> Literals;
    std::vector<std::string> Constants;
    std::vector<std::pair<std::string, int>> Functions;
    std::vector<std::pair<std::string, int>> Predicates;

    template <class T> static void Note(std::vector<T>& List, const T& Item)
    {
        for (const T& Known : List)
            if (Known == Item)
                return;
        List.push_back(Item);
    }
    // The key of a literal: a number or string as printed, a number-constant (a TPTP number
    // Nivar holds as a constant) by its name.
    static std::string LiteralKey(const TId* T);
};

// The signature of the formulas, the parts that are truth constants left out. With Naming (a
// problem read from TPTP) its numbers that Nivar holds as constants are literals too.
TSignature SignatureOf(const std::vector<TFALFormula*>& Formulas, const TTptpNaming* Naming);

// Every tuple of Arity elements below Size, in order. Polling: a grounding, which may take
// Size to the power of Arity steps here, asks the host now and then and ends at a stop.
void ForEachTuple(int Size, int Arity, const std::function<void(const TTuple&)>& Do,
                  bool Polling = false);
