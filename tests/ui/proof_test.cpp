// TPTP problems opened in the desktop program, and the picture of a proof.
#include "support.h"
#include "ui/proofgraph.h"

#include <QApplication>
#include <QFile>
#include <QStatusBar>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>

namespace {
class Proofs : public Window {
protected:
    // The proof graph windows open now.
    static QList<TProofGraph*> Graphs()
    {
        QList<TProofGraph*> Out;
        for (QWidget* W : QApplication::topLevelWidgets())
            if (auto* G = qobject_cast<TProofGraph*>(W); G && G->isVisible())
                Out << G;
        return Out;
    }
};

TEST_F(Proofs, ATptpProblemOpensAsANewDocumentInNivarsLanguage)
{
    const QString Path = WriteFile("problem.p", "% a comment\n"
                                                "fof(a1, axiom, ! [X] : (p(X) => q(X))).\n"
                                                "fof('a 2', hypothesis, p(a)).\n"
                                                "fof(c, conjecture, q(a)).\n");
    TEditForm* Doc = Frame->OpenFile(Path);
    EXPECT_EQ(Doc->FileName, "problem.p (read)") << "saving never overwrites the problem";
    EXPECT_TRUE(Doc->Untitled());
    EXPECT_EQ(ClipboardFromDocument(Doc->Editor->toPlainText()),
              "% Read from the TPTP problem problem.p.\n% a1 (axiom)\n∀X [[p(X) → q(X)]].\n"
              "% a 2 (hypothesis)\np(a).\n% c (conjecture)\n?- q(a).\n");
    EXPECT_FALSE(Doc->Editor->document()->isModified());
    EXPECT_EQ(Frame->statusBar()->currentMessage(), "problem.p read as a new document.");
    Doc->SpeedButton2->click();
    EXPECT_TRUE(Lines(Doc).contains("[R0&F1] :  YES.")) << Lines(Doc).join('|').toStdString();

    // Equality comes without its axioms, and "Automatic" proves it.
    TEditForm* Equal = Frame->OpenFile(WriteFile(
        "equal.p", "fof(e, axiom, a = b).\nfof(f, axiom, p(a)).\nfof(c, conjecture, p(b)).\n"));
    EXPECT_FALSE(ClipboardFromDocument(Equal->Editor->toPlainText()).contains("∀X [X = X]"));
    EXPECT_TRUE(Frame->statusBar()->currentMessage().contains("\"Automatic\" reads as equality"));
    Equal->Automatic1->trigger();
    EXPECT_TRUE(
        Lines(Equal).contains("Refuted by superposition on the clause form, Skolemization."))
        << Lines(Equal).join('|').toStdString();
    // A text that begins as a problem is one, whatever its name.
    TEditForm* Named = Frame->OpenFile(WriteFile("named.txt", "cnf(a, axiom, p).\n"));
    EXPECT_EQ(Named->FileName, "named.txt (read)");
    EXPECT_TRUE(Fake.Messages.empty());
}

TEST_F(Proofs, AProblemThatCannotBeReadOpensAsItIsAtItsFault)
{
    const QString Path = WriteFile("bad.p", "fof(a, axiom, p(a)).\nfof(b, axiom, p(a) & ).\n");
    TEditForm* Doc = Frame->OpenFile(Path);
    ASSERT_EQ(Fake.Messages.size(), 1u);
    EXPECT_TRUE(Fake.Messages[0].startsWith("The TPTP problem cannot be read:\n"));
    EXPECT_TRUE(Fake.Messages[0].contains("bad.p:2:22: error: ")) << Fake.Messages[0].toStdString();
    EXPECT_EQ(Fake.Icons[0], TDialogs::Warning);
    EXPECT_TRUE(Doc->FileName.endsWith("/bad.p"));
    EXPECT_EQ(Doc->Editor->toPlainText(), "fof(a, axiom, p(a)).\nfof(b, axiom, p(a) & ).\n");
    const QTextCursor Caret = Doc->Editor->textCursor();
    EXPECT_EQ(Caret.blockNumber(), 1);
    EXPECT_EQ(Caret.positionInBlock(), 21);
    // Proved as it stands, it is the same error at the same place; once fixed, it is read as
    // the TPTP problem it is.
    Fake.Messages.clear();
    Doc->Editor->moveCursor(QTextCursor::Start);
    Doc->SpeedButton2->click();
    ASSERT_EQ(Fake.Messages.size(), 1u);
    EXPECT_TRUE(Fake.Messages[0].contains("bad.p:2:22: error: ")) << Fake.Messages[0].toStdString();
    EXPECT_EQ(Doc->Editor->textCursor().blockNumber(), 1);
    EXPECT_EQ(Doc->Editor->textCursor().positionInBlock(), 21);
    Doc->Editor->setPlainText(
        "fof(a, axiom, p(a)).\nfof(b, axiom, p(a) => q).\nfof(c, conjecture, q).\n");
    Doc->SpeedButton2->click();
    EXPECT_EQ(Fake.Messages.size(), 1u) << Fake.Messages.back().toStdString();
    EXPECT_TRUE(Lines(Doc).contains("[R0&F0] :  YES.")) << Lines(Doc).join('|').toStdString();
    EXPECT_EQ(ClipboardFromDocument(Doc->Editor->toPlainText()).left(3), "fof")
        << "the editor keeps the TPTP text";
}

// A refutation by superposition draws its steps too.
TEST_F(Proofs, TheProofGraphOfAProofWithEquality)
{
    Type("∀X [f(X) = g(X)].\n∀X [g(X) = h(X)].\n?- f(a) = h(a).\n");
    Editor->Automatic1->trigger();
    ASSERT_TRUE(Editor->ProofGraph1->isEnabled());
    Editor->ProofGraph1->trigger();
    ASSERT_EQ(Graphs().size(), 1);
    Fake.Names = {Folder + "/equality.svg"};
    ASSERT_TRUE(Graphs().front()->SaveSvgClick());
    QFile Svg(Folder + "/equality.svg");
    ASSERT_TRUE(Svg.open(QIODevice::ReadOnly));
    const QString Picture = QString::fromUtf8(Svg.readAll());
    EXPECT_TRUE(Picture.contains("R0 : h(X)=f(X)")) << Picture.toStdString();
    Graphs().front()->close();
}

TEST_F(Proofs, TheProofGraphFollowsTheReport)
{
    QAction* Graph = Editor->ProofGraph1;
    EXPECT_FALSE(Graph->isEnabled());
    EXPECT_EQ(Graph->statusTip(), "Proof graph: available after a refutation");
    Type("∀X [p(X) → q(X)].\np(a).\n?- q(a).\n");
    Editor->OptionAction(TOption::Skolem1)->trigger();
    Editor->SpeedButton2->click();
    ASSERT_TRUE(Graph->isEnabled());
    Graph->trigger();
    ASSERT_EQ(Graphs().size(), 1);
    TProofGraph* Window = Graphs().front();
    EXPECT_EQ(Window->windowTitle(), "Proof graph - Untitled");
    EXPECT_DOUBLE_EQ(Window->Zoom(), 1.0);
    Window->ZoomInButton->click();
    EXPECT_GT(Window->Zoom(), 1.0);
    Window->ActualSizeButton->click();
    EXPECT_DOUBLE_EQ(Window->Zoom(), 1.0);
    for (int I = 0; I < 40; ++I)
        Window->ZoomOut();
    EXPECT_DOUBLE_EQ(Window->Zoom(), 0.1) << "a picture never shrinks to nothing";
    Window->SetZoom(1.0);

    // Saved as SVG (with the formulas as text) and as PNG, the suffix added where missing.
    Fake.Names = {Folder + "/proof", Folder + "/proof.png"};
    EXPECT_TRUE(Window->SaveSvgClick());
    EXPECT_TRUE(Window->SavePngClick());
    EXPECT_EQ(Fake.Filters, (std::vector<QString>{"SVG pictures (*.svg)", "PNG images (*.png)"}));
    QFile Svg(Folder + "/proof.svg");
    ASSERT_TRUE(Svg.open(QIODevice::ReadOnly));
    const QString Picture = QString::fromUtf8(Svg.readAll());
    EXPECT_TRUE(Picture.contains("<svg"));
    EXPECT_TRUE(Picture.contains("R0 : ¬p(a)")) << Picture.toStdString();
    QFile Png(Folder + "/proof.png");
    ASSERT_TRUE(Png.open(QIODevice::ReadOnly));
    EXPECT_TRUE(Png.read(8).startsWith("\x89PNG"));
    Fake.Names = {Folder + "/none/proof.svg"};
    EXPECT_FALSE(Window->SaveSvgClick());
    ASSERT_EQ(Fake.Messages.size(), 1u);
    EXPECT_TRUE(Fake.Messages[0].startsWith("Cannot create file ")) << "said, never silent";
    Window->close();

    // The graph is the run's own record, whatever lines the report shows.
    Editor->OptionAction(TOption::Sources)->trigger();
    Editor->OptionAction(TOption::Progress)->trigger();
    Editor->SpeedButton2->click();
    EXPECT_TRUE(Graph->isEnabled());
    Graph->trigger();
    ASSERT_EQ(Graphs().size(), 1);
    Graphs().front()->close();
    // A query proved case by case has the derivation of its first case.
    Type("∀X [p(X)]. ∀X [q(X)].\n?- ∀X [p(X)] ↔ ∀Y [q(Y)].\n");
    Editor->SpeedButton5->click();
    EXPECT_TRUE(Lines(Editor).contains("All 2 cases refuted."))
        << Lines(Editor).join('|').toStdString();
    EXPECT_TRUE(Graph->isEnabled());
    Editor->ClrOutput->trigger();
    EXPECT_FALSE(Graph->isEnabled()) << "the graph is the report's";
    Type("p(a).\n?- q(a).\n");
    Editor->SpeedButton2->click();
    EXPECT_FALSE(Graph->isEnabled()) << "no refutation, no graph";
}

TEST(ProofGraph, GraphvizRendersDotAsSvgAndSaysWhenItCannot)
{
    QString Error;
    const QByteArray Svg = RenderDot("digraph g { a -> b; }", Error);
    EXPECT_TRUE(Svg.contains("<svg")) << Error.toStdString();
    EXPECT_TRUE(Error.isEmpty());
    EXPECT_TRUE(RenderDot("digraph g { a -> ", Error).isEmpty());
    EXPECT_TRUE(Error.startsWith("Graphviz could not read the graph (")) << Error.toStdString();
    EXPECT_TRUE(Error.contains("syntax error in line 1")) << "what Graphviz said";
}
} // namespace

namespace {
// The default mode's doubt: the summary says the refutation may not hold, which formula's
// existential the proof read as universal, and what proves soundly.
TEST_F(Proofs, TheDefaultModesDoubtIsShown)
{
    Type("∃Y [r(X, Y)].\n?- ∃X [r(X, X)].\n");
    Editor->SpeedButton2->click();
    EXPECT_TRUE(Lines(Editor).contains("[F1&F0] :  YES.")) << "the report stays the design's";
    EXPECT_EQ(Frame->Result().toStdString(),
              "Linear search: query 1 refuted in the default mode (may not hold) (0.00 s). The "
              "proof of query 1 read the variable Y of the formula at line 1 as universal, "
              "though it is not: Unification > Skolemization proves soundly.");
    Type("p(a).\n?- p(X).\n");
    Editor->SpeedButton2->click();
    EXPECT_EQ(Frame->Result().toStdString(), "Linear search: query 1 refuted (0.00 s).")
        << "a query's free name is no doubt";
}

TEST_F(Proofs, TheCounterButtonShowsWhyAQueryDoesNotFollow)
{
    Type("∃Y [r(X, Y)].\n?- ∃X [r(X, X)].\n");
    Editor->OptionAction(TOption::Skolem1)->trigger(); // the default mode "proves" it
    Editor->SpeedButton2->click();
    EXPECT_TRUE(Frame->Result().endsWith("Find counter-model (Counter) may show why."))
        << Frame->Result().toStdString();
    Editor->SpeedButton6->click();
    const QStringList Report = Lines(Editor);
    ASSERT_GE(Report.size(), 3);
    EXPECT_EQ(Report.mid(0, 3), (QStringList{"?- ∃X [r(X, X)].", "Counter-model, domain size 2:",
                                             "  r: {(0, 1), (1, 0)}."}));
    EXPECT_TRUE(Frame->Result().startsWith("Counter-model search: query 1 has a counter-model ("));
    EXPECT_EQ(Editor->CounterModel1->text(), "Find counter-model");
    // Superposition that saturates says that the query does not follow, and a model may
    // still show why.
    Type("a = b.\n?- b = c.\n");
    Editor->Automatic1->trigger();
    EXPECT_TRUE(Frame->Result().contains("query 1 does not follow (its clauses saturated)"))
        << Frame->Result().toStdString();
    EXPECT_TRUE(Frame->Result().endsWith("Find counter-model (Counter) may show why."));
    // A theorem has none; the proof's summary suggests nothing then.
    Type("p(a).\n?- p(a).\n");
    Editor->CounterModel1->trigger();
    EXPECT_TRUE(Lines(Editor).contains("No counter-model up to domain size 8."));
    Editor->SpeedButton2->click();
    EXPECT_FALSE(Frame->Result().contains("may show why"));
}

TEST_F(Proofs, StopEndsAModelSearchAndTheWindowGoesOn)
{
    // A theorem whose grounding grows with the fifth power of the domain.
    Type("∀X, Y, Z, U, V [r(X, Y) ∧ r(Y, Z) ∧ r(Z, U) ∧ r(U, V) → r(X, V)].\n"
         "∀X [r(X, f(X))].\n?- ∃X, Y [r(X, Y)].\n");
    bool LockedMeanwhile = false;
    QTimer::singleShot(100, Editor, [&] {
        LockedMeanwhile = !Editor->SpeedButton2->isEnabled() && Editor->SpeedButton1->isEnabled();
        Editor->SpeedButton1->click();
    });
    Editor->SpeedButton6->click();
    EXPECT_TRUE(LockedMeanwhile) << "the window stays responsive, its run buttons wait";
    EXPECT_FALSE(Lines(Editor).join('\n').contains("Counter-model"));
    EXPECT_TRUE(Editor->SpeedButton6->isEnabled());
    Type("p ∨ q.\n?- p.\n");
    Editor->SpeedButton6->click();
    EXPECT_TRUE(Lines(Editor).contains("  p: false.  q: true."));
}
} // namespace
