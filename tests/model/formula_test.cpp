#include "model/sanitized.h"
#include "model/stamptable.h"
#include "model/symbols.h"
#include "support/prover.h"

namespace {
class Model : public TProverTest {};

TVariable* NewVariable(const char* Name, unsigned char Kind = Sym::ForAll)
{
    return new TVariable(Name, Kind);
}

TQuant* Prefix(std::initializer_list<TVariable*> Vars)
{
    auto* Q = new TQuant;
    for (TVariable* V : Vars)
        Q->Add(V);
    return Q;
}

TEST_F(Model, ReleasingAnOperandMovesItsPrefixToTheParent)
{
    TFALFormula* F = Compile("[∀X p(X)] ∧ [∃Y q(Y)]. ");
    ASSERT_NE(F, nullptr);
    TSub* Root = F->Cont;
    TVariable* X = Root->L->Q->Get(0);
    TVariable* Y = Root->R->Q->Get(0);
    FirstAtom = F->MF;
    LastAtom = F->ML;
    Root->L->RFree();
    Root->L = nullptr;
    ASSERT_NE(Root->Q, nullptr);
    EXPECT_EQ(Variables(Root->Q), (std::vector<TVariable*>{X}));
    EXPECT_EQ(X->Master, Root);
    EXPECT_EQ(FirstAtom, LastAtom) << "the chain kept the released atom";
    Root->R->RFree();
    Root->R = nullptr;
    // Incoming variables stand before the node's own.
    EXPECT_EQ(Variables(Root->Q), (std::vector<TVariable*>{Y, X}));
    EXPECT_EQ(Y->Master, Root);
    delete F; // every variable is destroyed once, at the root
}

TEST_F(Model, ReleasedAtomsLeaveTheChainBeingEdited)
{
    TFALFormula* F = Compile("p ∧ q ∧ r. ");
    ASSERT_NE(F, nullptr);
    FirstAtom = F->MF;
    LastAtom = F->ML;
    TAtom* P = F->MF;
    TAtom* Q = static_cast<TAtom*>(P->R);
    TAtom* R = F->ML;
    TSub* Inner = F->Cont->L; // p ∧ q
    Inner->L->RFree();
    Inner->L = nullptr;
    EXPECT_EQ(FirstAtom, Q);
    EXPECT_EQ(Q->L, nullptr);
    F->Cont->R->RFree();
    F->Cont->R = nullptr;
    EXPECT_EQ(LastAtom, Q);
    EXPECT_EQ(Q->R, nullptr);
    Inner->R->RFree();
    Inner->R = nullptr;
    EXPECT_EQ(FirstAtom, nullptr);
    EXPECT_EQ(LastAtom, nullptr);
    (void)R;
    F->MF = F->ML = nullptr;
    delete F;
}

TEST_F(Model, AppendToQuantJoinsOuterVariablesFirstAndNumbersNames)
{
    auto* Node = new TAtom;
    Node->Id = new TFunctorA("p");
    TVariable* Inner = NewVariable("X");
    TQuant* Own = Prefix({Inner});
    Node->AppendToQuant(Own);
    ASSERT_EQ(Node->Q, Own);
    TVariable* Outer = NewVariable("X");
    TVariable* Other = NewVariable("Y", Sym::Exists);
    TQuant* Incoming = Prefix({Outer, Other});
    Node->AppendToQuant(Incoming);
    ASSERT_EQ(Node->Q, Incoming);
    EXPECT_EQ(Variables(Node->Q), (std::vector<TVariable*>{Outer, Other, Inner}));
    EXPECT_EQ(Outer->Number, 0);
    EXPECT_EQ(Inner->Number, 1);
    for (TVariable* V : Node->Q->Items)
        EXPECT_EQ(V->Master, Node);
    // A bound variable takes no part in the numbering.
    Outer->Id = new TFunctorA("a");
    Node->OptQ();
    EXPECT_EQ(Inner->Number, 0);
    TQuant* Empty = new TQuant;
    auto* Bare = new TAtom;
    Bare->AppendToQuant(Empty);
    EXPECT_EQ(Empty, nullptr);
    EXPECT_EQ(Bare->Q, nullptr);
    Bare->RFree();
    Node->RFree();
}

// Names are shared by copies, but equal texts made apart are the same name, and a copy
// outlives the name it came from.
TEST(Names, CompareByTextAndOutliveTheirSource)
{
    const TName Apart("X");
    auto* Made = new TName(std::string("X"));
    TName Copy = *Made;
    EXPECT_EQ(Copy, Apart);
    EXPECT_FALSE(TName("X1") == Apart);
    delete Made;
    EXPECT_EQ(Copy.Str(), "X");
    EXPECT_EQ("p(" + Copy + ")", "p(X)");
    Copy = TName("");
    EXPECT_TRUE(Copy.empty());
    EXPECT_EQ(Copy, TName());
    EXPECT_EQ(Copy.Str(), "");
}

// The walks' tables: an entry stays through growth, and Clear empties a grown table.
TEST(StampTables, KeepTheirEntriesUntilCleared)
{
    struct THash {
        std::size_t operator()(int Key) const { return static_cast<std::size_t>(Key) % 7; }
    };
    TStampTable<int, int, THash> Table;
    EXPECT_EQ(Table.Find(3), nullptr);
    for (int Key = 0; Key < 500; ++Key)
        ASSERT_TRUE(Table.Insert(Key, Key * 2));
    EXPECT_FALSE(Table.Insert(3, 99)) << "a key is there once";
    for (int Key = 0; Key < 500; ++Key)
        ASSERT_NE(Table.Find(Key), nullptr) << Key;
    EXPECT_EQ(*Table.Find(3), 6);
    EXPECT_EQ(Table.Find(500), nullptr);
    Table.Clear();
    EXPECT_EQ(Table.Find(3), nullptr);
    EXPECT_TRUE(Table.Insert(3, 1));
    EXPECT_EQ(*Table.Find(3), 1);
    Table.Release();
    EXPECT_EQ(Table.Find(3), nullptr);
}

// A prefix that climbs out of a negation or an antecedent keeps its meaning.
TEST_F(Model, ClimbingPrefixesAreTurnedWhereTheyCrossANegation)
{
    struct TRow {
        const char* Text;
        unsigned char Expected; // the kind of X after it climbed to the root
    };
    const TRow Rows[] = {
        {"p ∧ ∀X q(X). ", Sym::ForAll},      {"¬[p ∧ ∀X q(X)]. ", Sym::Exists},
        {"[∀X q(X)] → p. ", Sym::Exists},    {"p → ∀X q(X). ", Sym::ForAll},
        {"¬[[∀X q(X)] → p]. ", Sym::ForAll}, {"p ↔ ∀X q(X). ", Sym::ForAll},
        {"¬[p ↔ ∀X q(X)]. ", Sym::ForAll},
    };
    for (const TRow& Row : Rows) {
        SCOPED_TRACE(Row.Text);
        TFALFormula* F = Compile(Row.Text);
        ASSERT_NE(F, nullptr);
        TSub* Root = F->Cont;
        TSub*& Quantified = Root->L->Q ? Root->L : Root->R;
        TVariable* X = Quantified->Q->Get(0);
        TAtom* Kept = static_cast<TAtom*>(Quantified == Root->L ? Root->R : Root->L);
        Quantified->RFree();
        Quantified = nullptr;
        ASSERT_NE(Root->Q, nullptr);
        EXPECT_EQ(Root->Q->Get(0), X);
        EXPECT_EQ(X->Kind, Row.Expected);
        F->MF = F->ML = Kept;
        delete F;
    }
}

TEST_F(Model, NegationTurnsTheOwnPrefixAndRestoresIt)
{
    TFALFormula* F = Compile("∀X ∃Y p(X, Y). ");
    ASSERT_NE(F, nullptr);
    TSub* Root = F->Cont;
    Root->Negate();
    EXPECT_TRUE(Root->Neg);
    EXPECT_EQ(Root->Q->Get(0)->Kind, Sym::Exists);
    EXPECT_EQ(Root->Q->Get(1)->Kind, Sym::ForAll);
    EXPECT_EQ(Root->Pol, -1);
    EXPECT_EQ(Root->Q->Get(0)->Master, Root);
    Root->Negate();
    EXPECT_FALSE(Root->Neg);
    EXPECT_EQ(Root->Q->Get(0)->Kind, Sym::ForAll);
    EXPECT_EQ(Root->Q->Get(1)->Kind, Sym::Exists);
    EXPECT_EQ(Root->Pol, 1);
    delete F;
}

TEST_F(Model, BoundVariablesReleaseTheirBindingWithThePrefix)
{
    TFALFormula* F = Compile("∀X p(X). ");
    ASSERT_NE(F, nullptr);
    TVariable* X = F->Cont->Q->Get(0);
    auto* Value = new TFunctor("f");
    Value->Params.Add(new TFunctorA("a"));
    X->Id = Value;
    EXPECT_EQ(Print(F), " p(f(a)). ");
    delete F; // the binding goes with X; the sanitizer build sees a leak otherwise
}
} // namespace

#ifdef NIVAR_SANITIZED
// The pools serve the sanitized build too: a freed block is poisoned, so a use after free is
// caught as it is on the heap.
TEST(PoolsUnderTheSanitizer, AUseOfAFreedObjectIsCaught)
{
    EXPECT_DEATH(
        {
            auto* Constant = new TFunctorA("a");
            delete Constant;
            std::string Name = Constant->Name;
        },
        "use-after-poison");
}
#endif
