// The names of a TPTP problem in Nivar's language and back, one to one: the reader gives each
// TPTP name a Nivar name no other TPTP name gets, and the TPTP writer shows the file's names.
#pragma once

#include <set>
#include <string>

// Whether Name is a TPTP lower word: a small letter, then letters, digits and "_". Such a name
// is written without quotes; it is also a Nivar name.
bool IsLowerWord(const std::string& Name);
// A name in TPTP: a lower word as it is, anything else in single quotes.
std::string TptpName(const std::string& Name);
// Text between two Quote characters, a backslash before each Quote and backslash in it: a
// quoted name or distinct object of TPTP, a string of Graphviz's DOT.
std::string Quoted(const std::string& Text, char Quote);

// The Nivar name of a TPTP functor or predicate (a lower word, or the text of a quoted name):
// a lower word as it is, unless it begins as the reader's own names do ("q_", "n_", "nivar_");
// that one and every other text become "q_" and the text with each byte that is not a letter
// or digit written as "_" and two hex digits.
std::string NivarName(const std::string& Name);
// The Nivar term of a TPTP number: an integer that Nivar holds exactly is itself, any other
// number a constant "n_" and its text written as above.
std::string NivarNumber(const std::string& Text);
// The text of the Nivar string of a TPTP distinct object: the text as it is, but for the bytes
// a Nivar string cannot hold ('"', '.', '%', '\', control bytes and bytes from 0x7F), each
// written as "\" and two hex digits.
std::string NivarString(const std::string& Text);

// The reader's helpers: an atom that is true ("[nivar_true ∨ ¬nivar_true]" is $true), and the
// query of a problem without a conjecture. No TPTP name gets them.
inline constexpr const char* TptpTrueAtom = "nivar_true";
inline constexpr const char* TptpGoalAtom = "nivar_goal";

// The TPTP side of a problem read by the reader: its names come back as they are in the file,
// and a Skolem function gets a name that none of the file's names has.
struct TTptpNaming {
    std::set<std::string> Taken; // the functor and predicate names of the file, unquoted

    // The TPTP text of a Nivar functor or predicate name.
    std::string Functor(const std::string& Nivar) const;
    // A Nivar string's text as a TPTP distinct object, in double quotes; Read: a string the
    // reader made (NivarString), whose text comes back.
    static std::string Distinct(const std::string& Nivar, bool Read = true);
    // Whether the Nivar name is a Skolem function's.
    static bool IsSkolem(const std::string& Nivar);
    // Whether the Nivar name is a TPTP number's that Nivar holds as a constant (NivarNumber):
    // like every number, it stands for an element of its own.
    static bool IsNumber(const std::string& Nivar);
};
