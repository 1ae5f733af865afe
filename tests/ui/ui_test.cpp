#include "driver/runstate.h"
#include "model/symbols.h"
#include "ui/MDIEdit.h"
#include "ui/MDIFrame.h"
#include "ui/dialogs.h"
#include "ui/document.h"
#include "ui/keyboard.h"

#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <clocale>
#include <deque>
#include <gtest/gtest.h>

namespace {
// Dialogs answered by the test, never left blocking.
class TTestDialogs : public TDialogs {
public:
    void Message(QWidget*, const QString& Text) override { Messages.push_back(Text); }
    TAnswer Question(QWidget*, const QString& Text) override
    {
        Questions.push_back(Text);
        return Take(Answers, Cancel);
    }
    QString OpenFileName(QWidget*) override { return Take(Names, QString()); }
    QString SaveFileName(QWidget*, const QString&) override { return Take(Names, QString()); }
    bool InputText(QWidget*, const QString&, const QString&, QString& Text) override
    {
        if (Inputs.empty())
            return false; // cancelled
        Text = Take(Inputs, QString());
        return true;
    }
    bool ChooseFont(QWidget*, QFont&) override { return false; }

    template <class T> static T Take(std::deque<T>& Queue, T Default)
    {
        if (Queue.empty())
            return Default;
        T Front = Queue.front();
        Queue.pop_front();
        return Front;
    }
    std::vector<QString> Messages;
    std::vector<QString> Questions;
    std::deque<TAnswer> Answers;
    std::deque<QString> Names;
    std::deque<QString> Inputs;
};

class Window : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDialogs(&Fake);
        DCFLimit = 10;
        Frame = new TFrameForm;
        Frame->show();
        Editor = Frame->New1Click();
    }
    void TearDown() override
    {
        for (TEditForm* E : Frame->Editors())
            E->Editor->document()->setModified(false);
        delete Frame;
        SetDialogs(nullptr);
        DCFLimit = 10;
    }
    static QStringList Captions(const QMenu* Menu)
    {
        QStringList Out;
        for (QAction* A : Menu->actions())
            Out << (A->isSeparator() ? QStringLiteral("-") : A->text());
        return Out;
    }
    // The text as if typed: the document is modified.
    void Type(const std::string& Utf8)
    {
        Editor->Editor->clear();
        Editor->Editor->insertPlainText(Text(Utf8));
    }
    static QString Text(const std::string& Utf8)
    {
        TFileFormat Format;
        return DocumentFromBytes(QByteArray::fromStdString(Utf8), Format);
    }
    static QStringList Lines(TEditForm* E)
    {
        QStringList Out;
        for (const QString& L : E->Output->toPlainText().split('\n'))
            Out << ClipboardFromDocument(L);
        return Out;
    }

    TTestDialogs Fake;
    TFrameForm* Frame = nullptr;
    TEditForm* Editor = nullptr;
};

TEST_F(Window, MenusCaptionsAndOrder)
{
    EXPECT_EQ(Captions(Editor->File1),
              (QStringList{"&New", "&Open...", "&Close", "&Save", "Save &as...", "-", "E&xit"}));
    EXPECT_EQ(Captions(Editor->Edit1), (QStringList{"Cu&t", "&Copy", "&Paste", "De&lete", "-",
                                                    "Select &all", "Clear Output", "Font..."}));
    EXPECT_EQ(Captions(Editor->Output1),
              (QStringList{"Axioms", "Progress", "Sources", "Resolvents", "Time", "Memory",
                           "Unsimplified", "Statistics", "SR-check"}));
    EXPECT_EQ(Captions(Editor->Provetheorem1),
              (QStringList{"Stop", "DCF-Limit...", "-", "Linear search", "Breadth-first search",
                           "Modified linear search", "-", "Without Check", "Check by consequence",
                           "Check by equivalence", "-", "Without restr. strategy",
                           "Filtration strategy", "Support set strategy"}));
    EXPECT_EQ(Captions(Editor->Unifiers1),
              (QStringList{"Quantification On", "General cut", "Skolemization", "-",
                           "Exit on first unused", "Exit on first match", "Exit on last match", "-",
                           "One refutation", "All refutations"}));
    EXPECT_EQ(Editor->Cut1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(Editor->Delete1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    EXPECT_EQ(Captions(Editor->PopupMenu1), (QStringList{"Cu&t", "&Copy", "&Paste"}));
    for (QToolButton* B :
         {Editor->SpeedButton1, Editor->SpeedButton2, Editor->SpeedButton3, Editor->SpeedButton4})
        EXPECT_EQ(B->size(), QSize(57, 25));
    EXPECT_EQ(Editor->Panel1->height(), 30);
    EXPECT_FALSE(Editor->SpeedButton1->isEnabled()) << "Stop is enabled only during a run";
    EXPECT_EQ(Editor->Editor->font().family(), "Ventrix");
    EXPECT_EQ(Editor->Output->font().pointSize(), 11);
}

TEST_F(Window, TheMenuBarMergesTheActiveEditorsMenus)
{
    auto Titles = [this] {
        QStringList Out;
        for (QAction* A : Frame->menuBar()->actions())
            Out << A->text();
        return Out;
    };
    EXPECT_EQ(Titles(), (QStringList{"&File", "&Edit", "&Output", "&Prove theorem", "&Unification",
                                     "&Window", "&Help"}));
    EXPECT_EQ(Frame->menuBar()->actions()[0]->menu(), Editor->File1);
    Frame->MdiArea->closeAllSubWindows();
    QApplication::processEvents();
    EXPECT_EQ(Titles(), (QStringList{"&File", "&Window", "&Help"}));
    EXPECT_EQ(Frame->menuBar()->actions()[0]->menu(), Frame->File1);
}

TEST_F(Window, DefaultsGroupsAndSeparateOptionsPerWindow)
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

TEST_F(Window, TheLimitBox)
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

TEST(Keyboard, KeysByTheirUSPosition)
{
    struct TRow {
        TKeyInput In;
        std::string Insert;
    };
    const std::string ForAll(1, Sym::Ch(Sym::ForAll));
    const TRow Rows[] = {
        {{'Q', false, true, true, false}, ForAll},
        {{'W', false, true, true, false}, std::string(1, Sym::Ch(Sym::Exists))},
        {{'N', false, true, true, false}, std::string(1, Sym::Ch(Sym::Not))},
        {{'G', false, true, true, false}, std::string(1, Sym::Ch(Sym::GreaterEq))},
        {{0x20, false, true, true, false}, ". "},
        {{'Q', true, true, true, false}, ""},   // Ctrl+Shift+Alt is no symbol key
        {{'X', false, true, true, false}, ""},  // not in the symbol table
        {{'Q', false, true, false, false}, ""}, // Ctrl alone: a shortcut
        {{'A', false, false, false, false}, "a"},
        {{'A', true, false, false, false}, "A"},
        {{'A', false, false, false, true}, "A"}, // Caps Lock
        {{'A', true, false, false, true}, "a"},
        {{'1', true, false, false, false}, "!"},
        {{'2', true, false, false, false}, "@"},
        {{0xDE, true, false, false, false}, "\""},
        {{0xC0, false, false, false, false}, "`"},
        {{0xBE, false, false, false, false}, "."},
        {{0x20, false, false, false, false}, ""}, // Space reaches the memo itself
    };
    for (const TRow& Row : Rows) {
        SCOPED_TRACE(Row.In.Key);
        EXPECT_EQ(EditorKeyDown(Row.In), Row.Insert);
        EXPECT_EQ(KeyHandled, !Row.Insert.empty());
        EXPECT_EQ(EditorKeyPress(U'x'), Row.Insert.empty()) << "a handled key drops its character";
    }
    EditorKeyDown({0x70, false, false, false, false}); // F1
    EXPECT_FALSE(EditorKeyPress(U'\u00E9')) << "national characters never pass";
    EXPECT_FALSE(EditorKeyPress(U'a')) << "no key-down before this character";
    EXPECT_EQ(VirtualKeyFromScanCode(0x10), 'Q');
    EXPECT_EQ(VirtualKeyFromScanCode(0x28), 0xDE);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Exclam), '1');
}

TEST_F(Window, SymbolKeysTypeIntoTheMemo)
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

TEST_F(Window, TheLinearButtonProvesTheDocument)
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

TEST_F(Window, ASyntaxErrorIsShownAndTheCaretGoesThere)
{
    Type("p(a). ?- p(a). q(b) r. ");
    Editor->SpeedButton2->click();
    ASSERT_EQ(Fake.Messages.size(), 1u);
    EXPECT_EQ(Fake.Messages[0], "Missing operator.");
    EXPECT_EQ(Editor->Editor->textCursor().position(), 19);
    EXPECT_FALSE(Editor->Editor->textCursor().hasSelection());
}

// A comma locale changes nothing: the report writes numbers with a period.
TEST_F(Window, NumbersUseAPeriodInACommaLocale)
{
    const std::string Saved = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
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

TEST_F(Window, StopEndsARunAtOnceAndAFreshProgramFollows)
{
    Type("p(0). ∀X [p(X) → p(X + 1)]. ?- q. ");
    bool StopWasEnabled = false;
    QTimer::singleShot(100, Editor, [&] {
        StopWasEnabled = Editor->SpeedButton1->isEnabled();
        Editor->SpeedButton3->click(); // a second run while one runs is ignored
        Editor->SpeedButton1->click();
    });
    TPLProgram* Before = Editor->PLProgram;
    Editor->SpeedButton4->click();
    EXPECT_TRUE(StopWasEnabled);
    EXPECT_FALSE(Editor->SpeedButton1->isEnabled());
    EXPECT_FALSE(StopRequested);
    EXPECT_NE(Editor->PLProgram, Before) << "a stopped run leaves a fresh program";
    EXPECT_FALSE(Editor->Output->toPlainText().contains("Solving time"));
    Type("p(a). ?- p(a). ");
    Editor->SpeedButton2->click();
    EXPECT_TRUE(Editor->Output->toPlainText().contains("YES."));
}

TEST_F(Window, ClosingDuringARunStopsItFirst)
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

TEST_F(Window, TheCloseQuestion)
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

TEST_F(Window, DocumentsAreBytes)
{
    QTemporaryDir Dir;
    QByteArray All;
    for (int B = 1; B < 256; ++B)
        All.append(static_cast<char>(B));
    All.append("\r\nend\rx\n");
    const QByteArray CRLF("p(a).\r\n?- p(a).\r\n");
    const QByteArray Unicode("p(a).\n\xE2\x88\x80X [p(X) \xE2\x86\x92 q(X)].\n");
    for (const QByteArray& Bytes : {All, CRLF, Unicode}) {
        const QString Path = Dir.filePath("doc.txt");
        QFile Out(Path);
        ASSERT_TRUE(Out.open(QIODevice::WriteOnly));
        Out.write(Bytes);
        Out.close();
        TEditForm* Doc = Frame->OpenFile(Path);
        EXPECT_EQ(Doc->FileName, Path);
        EXPECT_EQ(Doc->windowTitle(), "doc.txt[*]");
        EXPECT_FALSE(Doc->Editor->document()->isModified());
        Doc->Editor->document()->setModified(true);
        QFile::remove(Path);
        ASSERT_TRUE(Doc->Save1Click());
        QFile In(Path);
        ASSERT_TRUE(In.open(QIODevice::ReadOnly));
        EXPECT_EQ(In.readAll(), Bytes);
    }
    TEditForm* Doc = Frame->OpenFile(Dir.filePath("doc.txt"));
    EXPECT_EQ(Doc->GetEditorText()[6], Sym::Ch(Sym::ForAll)) << "UTF-8 symbols are symbol bytes";
    TEditForm* Missing = Frame->OpenFile(Dir.filePath("missing.txt"));
    EXPECT_EQ(Fake.Messages.back(), "Cannot open file " + Dir.filePath("missing.txt"));
    EXPECT_EQ(Missing->windowTitle(), "missing.txt[*]");
    Missing->FileName = Dir.filePath("no/such/folder/x.txt");
    EXPECT_FALSE(Missing->Save1Click());
    EXPECT_EQ(Fake.Messages.back(), "Cannot create file " + Missing->FileName);
}

TEST_F(Window, FileErrorsKeepTheText)
{
    QTemporaryDir Dir;
    TEditForm* Folder = Frame->OpenFile(Dir.path());
    EXPECT_EQ(Fake.Messages.back(), "Cannot open file " + Dir.path());
    EXPECT_EQ(Folder->Editor->toPlainText(), "");
    Type("p(a). ");
    Editor->FileName = Dir.path(); // a folder cannot be written as a file
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
}

// Running the same document again and again in one window holds no more memory.
TEST_F(Window, RepeatedRunsInOneWindowDoNotGrow)
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

TEST(SymbolFont, InstallsTheVentrixFace)
{
    const int Id = QFontDatabase::addApplicationFont(NIVAR_FONT);
    ASSERT_GE(Id, 0);
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(Id).contains("Ventrix"));
    EXPECT_TRUE(QFontDatabase::removeApplicationFont(Id));
}
} // namespace

int main(int Argc, char** Argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(Argc, Argv);
    ::testing::InitGoogleTest(&Argc, Argv);
    return RUN_ALL_TESTS();
}
