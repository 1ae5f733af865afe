// The editor window: its menus, options, runs, files and close question.
#include "model/alloc.h"
#include "model/pool.h"
#include "model/runstate.h"
#include "model/sanitized.h"
#include "model/symbols.h"
#include "support.h"
#include "ui/about.h"

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>
#include <clocale>

namespace {
class EditWindow : public Window {};
TEST_F(EditWindow, MenusCaptionsAndOrder)
{
    EXPECT_EQ(Captions(Editor->File1), (QStringList{"&New", "&Open...", "Exa&mples", "&Close",
                                                    "&Save", "Save &as...", "-", "E&xit"}));
    EXPECT_EQ(Captions(Editor->Edit1),
              (QStringList{"&Undo", "&Redo", "-", "Cu&t", "&Copy", "&Paste", "De&lete", "-",
                           "Select &all", "Clear Output", "Font..."}));
    EXPECT_EQ(Captions(Editor->Output1),
              (QStringList{"Axioms", "Progress", "Sources", "Resolvents", "Time", "Memory",
                           "Unsimplified", "Statistics", "SR-check", "-", "Proof graph..."}));
    EXPECT_EQ(
        Captions(Editor->Provetheorem1),
        (QStringList{"Stop", "DCF-Limit...", "-", "Linear search", "Breadth-first search",
                     "Modified linear search", "Best-first search", "Automatic",
                     "Find counter-model", "Prove again", "-", "Without Check",
                     "Check by consequence", "Check by equivalence", "-", "Without restr. strategy",
                     "Filtration strategy", "Support set strategy"}));
    EXPECT_EQ(Captions(Editor->Unifiers1),
              (QStringList{"Quantification On", "General cut", "Skolemization", "-",
                           "Exit on first unused", "Exit on first match", "Exit on last match", "-",
                           "One refutation", "All refutations"}));
    EXPECT_EQ(Editor->Cut1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(Editor->Delete1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    EXPECT_EQ(Captions(Editor->PopupMenu1), (QStringList{"Cu&t", "&Copy", "&Paste"}));
    for (QToolButton* B : {Editor->SpeedButton1, Editor->SpeedButton2, Editor->SpeedButton3,
                           Editor->SpeedButton4, Editor->SpeedButton5})
        EXPECT_EQ(B->size(), QSize(57, 25));
    EXPECT_EQ(Editor->Panel1->height(), 30);
    EXPECT_FALSE(Editor->SpeedButton1->isEnabled()) << "Stop is enabled only during a run";
    EXPECT_EQ(Editor->Editor->font().family(), "Ventrix");
    EXPECT_EQ(Editor->Output->font().pointSize(), 11);
}

TEST_F(EditWindow, DefaultsGroupsAndSeparateOptionsPerWindow)
{
    for (const TOptionItem& Item : OptionItems())
        EXPECT_EQ(Editor->OptionAction(Item.Item)->isChecked(), Item.Default) << Item.Name.data();
    Editor->OptionAction(TOption::Exiton3)->trigger();
    EXPECT_TRUE(Editor->Checked(TOption::Exiton3));
    EXPECT_FALSE(Editor->Checked(TOption::Exiton1));
    EXPECT_FALSE(Editor->Checked(TOption::Exiton2));
    Editor->OptionAction(TOption::Exiton1)->trigger();
    EXPECT_FALSE(Editor->Checked(TOption::Exiton3));
    Editor->OptionAction(TOption::Quant1)->trigger();
    EXPECT_TRUE(Editor->Checked(TOption::Quant1));
    TEditForm* Second = Frame->New1Click();
    EXPECT_FALSE(Second->Checked(TOption::Quant1));
    Fake.Inputs.push_back("3");
    Editor->SRLimitClick();
    EXPECT_EQ(DCFLimit, 3) << "one limit for every window";
}

TEST_F(EditWindow, TheLimitBox)
{
    Editor->SRLimitClick(); // cancelled: the proposed text counts
    EXPECT_EQ(DCFLimit, 5);
    Fake.Inputs.push_back("0");
    Editor->SRLimitClick();
    EXPECT_EQ(DCFLimit, 1);
    Fake.Inputs.push_back("twelve");
    Editor->SRLimitClick();
    EXPECT_EQ(DCFLimit, 1);
    ASSERT_EQ(Fake.Messages.size(), 1u);
    EXPECT_EQ(Fake.Messages[0], "'twelve' is not a valid integer value");
}

// The limit box, as the platform shows it: wide enough for its whole title.
TEST_F(EditWindow, TheLimitBoxShowsItsWholeTitle)
{
    SetDialogs(nullptr);
    int Width = 0;
    int TitleWidth = 0;
    QTimer::singleShot(0, [&] {
        if (QWidget* Box = QApplication::activeModalWidget()) {
            Width = Box->width();
            TitleWidth = Box->fontMetrics().horizontalAdvance(Box->windowTitle());
            EXPECT_EQ(Box->windowTitle(), "Detection of consequent formulas limit");
            Box->close();
        }
    });
    Editor->SRLimitClick();
    SetDialogs(&Fake);
    EXPECT_GT(TitleWidth, 0) << "the box was shown";
    EXPECT_GE(Width, TitleWidth + 100);
}

// The conventions of a desktop program: tips that name each command and its key, the key of
// "Prove again" in its menu, a disabled item that says why, the version in the About box.
TEST_F(EditWindow, TipsNameTheCommandsAndTheirKeys)
{
    const std::pair<QToolButton*, QString> Tips[] = {
        {Editor->SpeedButton1, "Stop the proof (Esc)"},
        {Editor->SpeedButton2, "Linear search (Ctrl+1)"},
        {Editor->SpeedButton3, "Breadth-first search (Ctrl+2)"},
        {Editor->SpeedButton4, "Modified linear search (Ctrl+3)"},
        {Editor->SpeedButton5, "Best-first search (Ctrl+4)"},
        {Editor->SpeedButton6, "Find counter-model (Ctrl+5)"},
    };
    for (const auto& [Button, Tip] : Tips)
        EXPECT_EQ(Button->toolTip(), Tip);
    EXPECT_EQ(Editor->RunAgain1->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_TRUE(Editor->Provetheorem1->actions().contains(Editor->RunAgain1));
    EXPECT_EQ(Editor->Automatic1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_6));
    // Ctrl+1 proves as the Linear button does.
    Type("p(a). ?- p(a). ");
    Editor->Editor->setFocus();
    QApplication::setActiveWindow(Frame);
    QTest::keyClick(Editor->Editor, Qt::Key_1, Qt::ControlModifier);
    EXPECT_TRUE(Lines(Editor).contains("[F1&F0] :  YES.")) << Lines(Editor).join('|').toStdString();
    // A disabled item's tip is shown by its menu and says why.
    Editor->ClearOutput();
    EXPECT_FALSE(Editor->ProofGraph1->isEnabled());
    EXPECT_TRUE(Editor->Output1->toolTipsVisible());
    EXPECT_EQ(Editor->ProofGraph1->toolTip(), "Proof graph: available after a refutation");
    TAboutBox About(nullptr);
    EXPECT_TRUE(About.Copyright->text().contains("Version " NIVAR_VERSION));
}

// Whatever font the user chooses for a pane, its logical symbols are drawn by the symbol font.
TEST_F(EditWindow, AChosenFontKeepsTheSymbols)
{
    Type("∀X [p(X) ∧ q(X)]. ?- q(a). ");
    Editor->SpeedButton2->click();
    Editor->Output->setFocus();
    Fake.FontAnswer = QFont(QStringLiteral("DejaVu Sans Mono"), 13);
    Editor->Font1->trigger();
    EXPECT_EQ(Editor->Output->font().family(), "DejaVu Sans Mono");
    for (TMemo* Memo : {Editor->Editor, Editor->Output}) {
        int Symbols = 0;
        int Drawn = 0;
        for (QTextBlock B = Memo->document()->begin(); B.isValid(); B = B.next()) {
            for (QChar C : B.text())
                Symbols += C == QChar(0xF7) || C == QChar(0xFD) || C == QChar(0xAC) ? 1 : 0;
            for (const QTextLayout::FormatRange& R : B.layout()->formats()) {
                const QChar C = B.text()[R.start];
                EXPECT_EQ(R.length, 1);
                EXPECT_TRUE(C == QChar(0xF7) || C == QChar(0xFD) || C == QChar(0xAC) ||
                            C == QChar(0xF4))
                    << int(C.unicode());
                EXPECT_TRUE(R.format.fontFamilies().toStringList().contains("Ventrix"));
                ++Drawn;
            }
        }
        EXPECT_GE(Symbols, 1);
        EXPECT_EQ(Drawn, Symbols) << "every symbol of the pane, and nothing else";
    }
}

// Identical runs in one window leave the prover's heap where the first left it: the same
// objects live in its pools, from the second run on the same proof memory, and once the
// desktop's own caches (which its events fill while a run yields) have settled after a few
// runs, the same total of the process. The proof memory counts the sizes malloc gives, and
// malloc may hand out a chunk a step larger than asked where the heap's layout (which the
// desktop's events shape) leaves no closer fit: a few steps of 16 bytes, not a growth.
TEST_F(EditWindow, IdenticalRunsLeaveTheProversHeapAsTheFirstLeftIt)
{
    Type("p(a).\n∀X [p(X) → q(X)].\n?- q(a).\n");
    std::vector<std::int64_t> Live;
    std::vector<std::int64_t> Total;
    std::vector<std::int64_t> Used;
    for (int I = 0; I < 12; ++I) {
        Editor->SpeedButton2->click();
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
        Live.push_back(Pool::LiveBytes);
        Total.push_back(AllocatedBytes());
        const QStringList Report = Lines(Editor);
        ASSERT_GE(Report.size(), 2);
        const QString Time = Report[Report.size() - 2];
        const QRegularExpressionMatch Figure =
            QRegularExpression(QStringLiteral("Used memory for proof: (\\d+) B\\.")).match(Time);
        ASSERT_TRUE(Figure.hasMatch()) << Time.toStdString();
        Used.push_back(Figure.captured(1).toLongLong());
    }
    for (std::size_t I = 1; I < Live.size(); ++I) {
        EXPECT_EQ(Live[I], Live[0]) << "run " << I + 1;
        EXPECT_LE(std::abs(Used[I] - Used[1]), 64) << "run " << I + 1;
    }
#ifndef NIVAR_SANITIZED // the sanitizer's count is of the whole heap, Qt's own strings too
    // Seven runs more: the bytes the window's events hold now and then (a kilobyte or two on a
    // loaded machine), not a growth with each run.
    EXPECT_LE(std::abs(Total.back() - Total[5]), 4096) << Total[5] << " then " << Total.back();
#endif
}

TEST_F(EditWindow, SymbolKeysTypeIntoTheMemo)
{
    TMemo* Memo = Editor->Editor;
    Memo->setFocus();
    Memo->setPlainText("p or q");
    QTextCursor Cursor = Memo->textCursor();
    Cursor.setPosition(2);
    Cursor.setPosition(4, QTextCursor::KeepAnchor);
    Memo->setTextCursor(Cursor);
    QTest::keyClick(Memo, Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Memo->toPlainText(), QString("p ") + QChar(Sym::Or) + QString(" q"));
    QTest::keyClick(Memo, Qt::Key_Space, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Memo->toPlainText(), QString("p ") + QChar(Sym::Or) + QString(".  q"));
    Memo->clear();
    // Not a symbol key: no symbol, and a character above 0x7F does not pass.
    QKeyEvent Shifted(QEvent::KeyPress, Qt::Key_Q,
                      Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier,
                      QString(QChar(0xF7)));
    QApplication::sendEvent(Memo, &Shifted);
    EXPECT_EQ(Memo->toPlainText(), "");
    auto Press = [Memo](Qt::Key Key, Qt::KeyboardModifiers Modifiers, const QString& Text) {
        QKeyEvent Event(QEvent::KeyPress, Key, Modifiers, Text);
        QApplication::sendEvent(Memo, &Event);
    };
    Press(Qt::Key_P, Qt::NoModifier, "p");
    Press(Qt::Key_ParenLeft, Qt::ShiftModifier, "(");
    Press(Qt::Key_X, Qt::ShiftModifier, "X");
    Press(Qt::Key_ParenRight, Qt::ShiftModifier, ")");
    QKeyEvent National(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("é"));
    QApplication::sendEvent(Memo, &National);
    QTest::keyClick(Memo, Qt::Key_1, Qt::KeypadModifier, '1');
    EXPECT_EQ(Memo->toPlainText(), "p(X)1");
}

TEST_F(EditWindow, TheLinearButtonProvesTheDocument)
{
    Type("p(a).\n∀X [p(X) → q(X)].\n?- q(a).\n");
    Editor->SpeedButton2->click();
    const QStringList Report = Lines(Editor);
    ASSERT_EQ(Report.size(), 5);
    EXPECT_EQ(Report.mid(0, 3),
              (QStringList{"Solution to ¬q(a). ", "R0 [F2&F1] :  ¬p(a). ", "[R0&F0] :  YES."}));
    EXPECT_TRUE(Report[3].startsWith("Solving time : 0.")) << Report[3].toStdString();
    EXPECT_TRUE(Report[4].startsWith("Total allocated for NIVAR: "));
    Editor->OptionAction(TOption::Time)->trigger();
    Editor->OptionAction(TOption::Memory1)->trigger();
    Editor->Breadthfirst1->trigger();
    EXPECT_EQ(Lines(Editor).size(), 5) << "the breadth-first report";
}

TEST_F(EditWindow, ASyntaxErrorIsShownAndTheCaretGoesThere)
{
    QApplication::setActiveWindow(Frame);
    Type("p(a). ?- p(a).\n\n\nq(b) r. ");
    Fake.OpenMilliseconds = 600;
    Editor->SpeedButton2->click();
    ASSERT_EQ(Fake.Messages.size(), 1u);
    EXPECT_EQ(Fake.Messages[0], "Missing operator.\nLine 4, column 5.")
        << "the design's message, and where";
    EXPECT_EQ(Fake.Icons[0], TDialogs::Warning);
    EXPECT_EQ(Editor->Editor->textCursor().position(), 21);
    EXPECT_FALSE(Editor->Editor->textCursor().hasSelection());
    // The editor has the keyboard, not the report the query was written into.
    EXPECT_TRUE(Editor->Editor->hasFocus());
    EXPECT_FALSE(Editor->Output->hasFocus());
    EXPECT_EQ(Frame->Result(), "Syntax error at line 4, column 5.");
    // The time the box stood open is the user's, not the proof's.
    const QStringList Report = Lines(Editor);
    ASSERT_GE(Report.size(), 2);
    EXPECT_TRUE(Report[Report.size() - 2].startsWith("Solving time : 0."))
        << Report.join('|').toStdString();
}

// The report keeps its last line in view while the user has not scrolled away, also once its
// lines are wider than the pane, and keeps the user's place when they have.
TEST_F(EditWindow, TheReportFollowsTheRunUntilTheUserScrollsAway)
{
    Editor->resize(400, 300);
    Type("p(a). ∀X [p(X) → p(f(X))]. ?- q. "); // lines grow wider than the pane
    QScrollBar* Down = Editor->Output->verticalScrollBar();
    // Stopped once the lines are wider than the pane, however fast the build runs.
    QTimer Watch;
    int Ticks = 0;
    QObject::connect(&Watch, &QTimer::timeout, Editor, [&] {
        if ((Editor->Output->horizontalScrollBar()->maximum() > 0 && Down->maximum() > 0) ||
            ++Ticks > 400)
            Editor->SpeedButton1->click();
    });
    Watch.start(50);
    Editor->SpeedButton4->click();
    Watch.stop();
    EXPECT_GT(Editor->Output->horizontalScrollBar()->maximum(), 0) << "lines wider than the pane";
    ASSERT_GT(Down->maximum(), 0);
    EXPECT_EQ(Down->value(), Down->maximum());
    // Scrolled away during the next run: the place stays.
    QTimer::singleShot(200, Editor, [&] { Down->setValue(3); });
    QTimer::singleShot(400, Editor, [&] { Editor->SpeedButton1->click(); });
    Editor->SpeedButton4->click();
    EXPECT_EQ(Down->value(), 3);
    EXPECT_LT(Down->value(), Down->maximum());
}

TEST_F(EditWindow, UndoRedoShortcutsAndTheLastStrategy)
{
    EXPECT_EQ(Editor->New1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(Editor->Open1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(Editor->Save1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(Editor->Undo1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(Editor->Redo1->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_EQ(Editor->RunAgain1->shortcut(), QKeySequence(Qt::Key_F9));
    Editor->Editor->setFocus();
    QApplication::setActiveWindow(Frame);
    Editor->Editor->insertPlainText("p(a). ");
    Editor->Editor->insertPlainText("?- p(a). ");
    Editor->Undo1->trigger();
    EXPECT_EQ(Editor->Editor->toPlainText(), "");
    Editor->Redo1->trigger();
    EXPECT_EQ(Editor->Editor->toPlainText(), "p(a). ?- p(a). ");
    // F9 proves with the strategy this window used last: linear search at first.
    Editor->RunAgain1->trigger();
    EXPECT_EQ(Lines(Editor)[1], "[F1&F0] :  YES.");
    EXPECT_TRUE(Frame->Result().startsWith("Linear search: query 1 refuted ("))
        << Frame->Result().toStdString();
    Editor->SpeedButton3->click();
    Editor->Output->clear();
    Editor->RunAgain1->trigger();
    EXPECT_TRUE(Frame->Result().startsWith("Breadth-first search: "));
    Type("?- q. ");
    Editor->RunAgain1->trigger();
    EXPECT_TRUE(Frame->Result().contains("query 1 not refuted"));
}

// The close question names the whole path, also of a file given by a relative one.
TEST_F(EditWindow, ARelativePathIsKeptWhole)
{
    const QString Path = WriteFile("relative.txt", "p. ");
    const QString Saved = QDir::currentPath();
    QDir::setCurrent(Folder);
    TEditForm* Doc = Frame->OpenFile("relative.txt");
    QDir::setCurrent(Saved);
    EXPECT_EQ(Doc->FileName, QFileInfo(Path).absoluteFilePath());
    Doc->Editor->insertPlainText("q. ");
    Fake.Answers = {TDialogs::Cancel};
    qobject_cast<QMdiSubWindow*>(Doc->parentWidget())->close();
    EXPECT_EQ(Fake.Questions.back(), "Save changes to " + QFileInfo(Path).absoluteFilePath() + "?");
}

// A comma locale changes nothing: the report writes numbers with a period.
TEST_F(EditWindow, NumbersUseAPeriodInACommaLocale)
{
    const std::string Saved = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no de_DE.UTF-8 locale here: ./test.sh makes one";
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Type("p(2.5 * 2). ?- ∃X [p(X)]. ");
    Editor->SpeedButton2->click();
    const QStringList Report = Lines(Editor);
    EXPECT_TRUE(Report.contains("X = 5.")) << Report.join('|').toStdString();
    EXPECT_TRUE(
        Report[Report.size() - 2].contains(QRegularExpression("time : [0-9]+\\.[0-9][0-9] s")));
    std::setlocale(LC_NUMERIC, Saved.c_str());
    QLocale::setDefault(QLocale::c());
}

TEST_F(EditWindow, StopEndsARunAtOnceAndAFreshProgramFollows)
{
    Type("p(0). ∀X [p(X) → p(X + 1)]. ?- q. ");
    bool StopWasEnabled = false;
    QTimer::singleShot(100, Editor, [&] {
        StopWasEnabled = Editor->SpeedButton1->isEnabled();
        Editor->SpeedButton3->click(); // a second run while one runs is ignored
        Editor->SpeedButton1->click();
    });
    Editor->SpeedButton4->click();
    EXPECT_TRUE(StopWasEnabled);
    EXPECT_FALSE(Editor->SpeedButton1->isEnabled());
    EXPECT_FALSE(StopRequested);
    // The stopped program held the axioms and the resolvents; the new one may well stand at
    // the old one's address, so it is told by what it holds.
    EXPECT_EQ(Editor->PLProgram->ListF.Count(), 0) << "a stopped run leaves a fresh program";
    EXPECT_EQ(Editor->PLProgram->ListR.Count(), 0);
    EXPECT_FALSE(Editor->Output->toPlainText().contains("Solving time"))
        << Editor->Output->toPlainText().right(300).toStdString();
    Type("p(a). ?- p(a). ");
    Editor->SpeedButton2->click();
    EXPECT_TRUE(Editor->Output->toPlainText().contains("YES."));
}

TEST_F(EditWindow, ClosingDuringARunStopsItFirst)
{
    Type("p(0). ∀X [p(X) → p(X + 1)]. ?- q. ");
    Editor->Editor->document()->setModified(false);
    QPointer<QMdiSubWindow> Sub = qobject_cast<QMdiSubWindow*>(Editor->parentWidget());
    QTimer::singleShot(100, Editor, [&] { Sub->close(); });
    Editor->SpeedButton4->click();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Sub.isNull()) << "the window closed once its run had stopped";
    EXPECT_EQ(TEditForm::RunningForm, nullptr);
}

TEST_F(EditWindow, TheCloseQuestion)
{
    QPointer<QMdiSubWindow> Sub = qobject_cast<QMdiSubWindow*>(Editor->parentWidget());
    Type("p(a). ");
    Fake.Answers = {TDialogs::Cancel};
    EXPECT_FALSE(Sub->close());
    EXPECT_EQ(Fake.Questions.back(), "Save changes to Untitled?");
    Fake.Answers = {TDialogs::Yes}; // and then the save dialog is cancelled
    EXPECT_FALSE(Sub->close()) << "the text of a never-saved document is not lost";
    EXPECT_EQ(Editor->Editor->toPlainText(), "p(a). ");
    QTemporaryDir Dir;
    const QString Path = Dir.filePath("saved");
    Fake.Answers = {TDialogs::Yes};
    Fake.Names = {Path};
    EXPECT_TRUE(Sub->close());
    QFile Saved(Path);
    ASSERT_TRUE(Saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(Saved.readAll(), "p(a). ") << "saved under the name as typed";
    TEditForm* Other = Frame->New1Click();
    QPointer<QMdiSubWindow> OtherSub = qobject_cast<QMdiSubWindow*>(Other->parentWidget());
    Other->Editor->setPlainText("q. ");
    Fake.Answers = {TDialogs::No};
    EXPECT_TRUE(OtherSub->close());
    Other = Frame->New1Click();
    Other->Output->setPlainText("typed into the report");
    const std::size_t Asked = Fake.Questions.size();
    EXPECT_TRUE(qobject_cast<QMdiSubWindow*>(Other->parentWidget())->close());
    EXPECT_EQ(Fake.Questions.size(), Asked) << "only the editor's changes are asked about";
}

TEST_F(EditWindow, FileErrorsKeepTheText)
{
    QTemporaryDir Dir;
    TEditForm* Folder = Frame->OpenFile(Dir.path());
    EXPECT_EQ(Fake.Messages.back(), "Cannot open file " + Dir.path());
    EXPECT_EQ(Folder->Editor->toPlainText(), "");
    Type("p(a). ");
    Editor->FileName = Dir.path(); // a folder cannot be written as a file
    Editor->Saved = true;
    EXPECT_FALSE(Editor->Save1Click());
    EXPECT_EQ(Fake.Messages.back(), "Cannot create file " + Dir.path());
    EXPECT_TRUE(Editor->Editor->document()->isModified());
    EXPECT_EQ(Editor->Editor->toPlainText(), "p(a). ");
    // A file removed after it was opened is written again.
    const QString Path = Dir.filePath("gone.txt");
    QFile Out(Path);
    ASSERT_TRUE(Out.open(QIODevice::WriteOnly));
    Out.write("q. ");
    Out.close();
    TEditForm* Doc = Frame->OpenFile(Path);
    QFile::remove(Path);
    Doc->Editor->insertPlainText("r. ");
    EXPECT_TRUE(Doc->Save1Click());
    EXPECT_TRUE(QFile::exists(Path));
    for (TDialogs::TIcon Icon : Fake.Icons)
        EXPECT_EQ(Icon, TDialogs::Warning) << "file errors are warnings";
}

// Running the same document again and again in one window holds no more memory.
TEST_F(EditWindow, RepeatedRunsInOneWindowDoNotGrow)
{
    Type("parent(tom, bob). parent(bob, ann). "
         "∀X ∀Y ∀Z [parent(X, Y) ∧ parent(Y, Z) → grand(X, Z)]. ?- ∃W [grand(tom, W)]. ");
    std::vector<qint64> Totals;
    for (int I = 0; I < 10; ++I) {
        Editor->SpeedButton3->click();
        const QStringList Report = Lines(Editor);
        ASSERT_TRUE(Report.last().startsWith("Total allocated for NIVAR: "));
        Totals.push_back(Report.last().section(' ', 4, 4).toLongLong());
    }
    EXPECT_LE(Totals.back() - Totals[2], 16 * 1024) << "growth between the third and last run";
}
} // namespace
