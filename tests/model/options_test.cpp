#include "model/options.h"

#include <gtest/gtest.h>
#include <map>

namespace {
TEST(Options, DefaultsAndGroupsOfANewWindow)
{
    const TOptionState State;
    std::map<std::string_view, bool> Checked;
    for (const TOptionItem& Item : OptionItems())
        Checked[Item.Name] = State.Checked(Item.Item);
    const std::map<std::string_view, bool> Expected = {
        {"Axioms", false},   {"Progress", true},   {"Sources", true},   {"Resolvents", false},
        {"Time", true},      {"Memory1", true},    {"Unsim", false},    {"Stat", false},
        {"SRcheck1", false}, {"Redcheck1", false}, {"Checkby1", true},  {"Checkby2", false},
        {"Without1", true},  {"Filtra1", false},   {"Support1", false}, {"Quant1", false},
        {"General", false},  {"Skolem1", false},   {"Exiton3", false},  {"Exiton1", true},
        {"Exiton2", false},  {"Oneref1", false},   {"Allref1", true},
    };
    EXPECT_EQ(Checked, Expected);
    // Exactly one item of each group is checked.
    for (TOptionGroup Group : {TOptionGroup::RedundancyCheck, TOptionGroup::Restriction,
                               TOptionGroup::AtomLoop, TOptionGroup::Refutations}) {
        TOption Members[OptionCount];
        const int N = GroupMembers(Group, Members);
        int On = 0;
        for (int I = 0; I < N; ++I)
            On += State.Checked(Members[I]);
        EXPECT_EQ(On, 1);
    }
}

TEST(Options, ChoosingAGroupItemUnchecksTheOthersAndTogglesInvert)
{
    TOptionState State;
    State.Choose(TOption::Exiton3);
    EXPECT_TRUE(State.Checked(TOption::Exiton3));
    EXPECT_FALSE(State.Checked(TOption::Exiton1));
    EXPECT_FALSE(State.Checked(TOption::Exiton2));
    State.Choose(TOption::Exiton2);
    EXPECT_FALSE(State.Checked(TOption::Exiton3));
    EXPECT_TRUE(State.Checked(TOption::Exiton2));
    State.Choose(TOption::Exiton2); // a group item stays checked when chosen again
    EXPECT_TRUE(State.Checked(TOption::Exiton2));
    State.Choose(TOption::Quant1);
    EXPECT_TRUE(State.Checked(TOption::Quant1));
    State.Choose(TOption::Quant1);
    EXPECT_FALSE(State.Checked(TOption::Quant1));
}

TEST(Options, TheLimitBoxConvertsItsText)
{
    const std::pair<std::string, std::int32_t> Valid[] = {
        {"5", 5}, {"12", 12}, {"0", 1}, {"-7", 1}, {"+3", 3}};
    for (const auto& [Text, Value] : Valid) {
        SCOPED_TRACE(Text);
        const TLimitEntry E = ParseDCFLimit(Text);
        EXPECT_TRUE(E.Valid);
        EXPECT_EQ(E.Value, Value);
    }
    for (const std::string Text : {"abc", "", "1.5", "99999999999", "5 "}) {
        SCOPED_TRACE(Text);
        const TLimitEntry E = ParseDCFLimit(Text);
        EXPECT_FALSE(E.Valid);
        EXPECT_EQ(E.Message, "'" + Text + "' is not a valid integer value");
    }
}
} // namespace
