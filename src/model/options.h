// The prover options: every menu item with its caption, default check mark and radio group.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Each option is the check mark of one menu item of the owning window.
enum class TOption : std::uint8_t {
    // "&Output"
    Axioms,
    Progress,
    Sources,
    Resolvents,
    Time,
    Memory1,
    Unsim,
    Stat,
    SRcheck1,
    // "&Prove theorem"
    Redcheck1,
    Checkby1,
    Checkby2,
    Without1,
    Filtra1,
    Support1,
    // "&Unification"
    Quant1,
    General,
    Skolem1,
    Exiton3,
    Exiton1,
    Exiton2,
    Oneref1,
    Allref1,
};

inline constexpr int OptionCount = static_cast<int>(TOption::Allref1) + 1;

enum class TOptionMenu : std::uint8_t { Output, ProveTheorem, Unification };

// Radio groups: exactly one item of a group is checked at any time.
enum class TOptionGroup : std::uint8_t {
    None,
    RedundancyCheck,
    Restriction,
    AtomLoop,
    Refutations
};

struct TOptionItem {
    TOption Item;
    std::string_view Name;    // the component name, e.g. "Exiton1"
    std::string_view Caption; // the menu caption
    bool Default;             // checked in a new window
    TOptionGroup Group;
    TOptionMenu Menu;
};

// All items in menu order.
const TOptionItem (&OptionItems())[OptionCount];
const TOptionItem& OptionItem(TOption Item);

// The members of a group, in menu order; returns their number.
int GroupMembers(TOptionGroup Group, TOption (&Members)[OptionCount]);

// One window's check marks, with the group rule applied by Choose.
class TOptionState {
public:
    TOptionState();
    bool Checked(TOption Item) const { return Marks[static_cast<int>(Item)]; }
    // What choosing the menu item does: a toggle inverts, a group item becomes the one checked.
    void Choose(TOption Item);
    void Set(TOption Item, bool Value);

private:
    bool Marks[OptionCount];
};

// The detection-of-consequent-formulas limit from the text of its input box.
struct TLimitEntry {
    bool Valid;          // false: the text is not an integer
    std::int32_t Value;  // the limit to store (at least 1) when valid
    std::string Message; // the conversion error when not valid
};
TLimitEntry ParseDCFLimit(const std::string& Text);
