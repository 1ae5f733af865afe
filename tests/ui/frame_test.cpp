// The frame: menu merging, its title, the run lock across windows, examples, the font.
#include "model/owner.h"
#include "support.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace {
class FrameWindow : public Window {};
TEST_F(FrameWindow, TheMenuBarMergesTheActiveEditorsMenus)
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

TEST(SymbolFont, InstallsTheVentrixFace)
{
    const int Id = QFontDatabase::addApplicationFont(NIVAR_FONT);
    ASSERT_GE(Id, 0);
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(Id).contains("Ventrix"));
    EXPECT_TRUE(QFontDatabase::removeApplicationFont(Id));
}

// While a proof runs in one window, no window starts another, and Stop in any window stops it.
TEST_F(FrameWindow, OneRunAtATimeAcrossWindows)
{
    Type("p(0). ∀X [p(X) → p(X + 1)]. ?- q. ");
    TEditForm* Other = Frame->New1Click();
    Other->Editor->setPlainText("p(a). ?- p(a). ");
    bool Locked = false;
    bool OtherStop = false;
    QString Said;
    QTimer::singleShot(150, Other, [&] {
        Locked = !Other->SpeedButton2->isEnabled() && !Other->Linear->isEnabled() &&
                 !Other->RunAgain1->isEnabled() && !Editor->SpeedButton3->isEnabled();
        OtherStop = Other->SpeedButton1->isEnabled() && Other->Stop1->isEnabled();
        Other->LinearClick(Other->SpeedButton2);
        Said = Frame->statusBar()->currentMessage();
        Other->SpeedButton1->click(); // Stop in the other window
    });
    Editor->SpeedButton4->click();
    EXPECT_TRUE(Locked);
    EXPECT_TRUE(OtherStop);
    EXPECT_EQ(Said, "A proof is running in another window: stop it first.");
    EXPECT_TRUE(Other->Output->toPlainText().isEmpty()) << "the second run did not start";
    EXPECT_EQ(TEditForm::RunningForm, nullptr) << "the run was stopped";
    for (TEditForm* E : {Editor, Other}) {
        EXPECT_TRUE(E->SpeedButton2->isEnabled());
        EXPECT_TRUE(E->Linear->isEnabled());
        EXPECT_FALSE(E->SpeedButton1->isEnabled());
    }
    EXPECT_TRUE(Editor->Result.startsWith("Modified linear search: stopped"))
        << Editor->Result.toStdString();
    Other->SpeedButton2->click();
    EXPECT_TRUE(Other->Output->toPlainText().contains("YES."));
}

// The frame's title is the active window's caption with its unsaved mark.
TEST_F(FrameWindow, TheTitleKeepsTheUnsavedMark)
{
    // The title the platform shows, placeholder resolved; and the frame's own account of it.
    auto Title = [this] {
        EXPECT_EQ(Frame->windowHandle()->title(), Frame->Title());
        return Frame->Title().toStdString();
    };
    EXPECT_EQ(Title(), "Nivar - [Untitled]");
    Type("p(a). ");
    EXPECT_EQ(Title(), "Nivar - [Untitled*]");
    TEditForm* Other = Frame->New1Click();
    EXPECT_EQ(Title(), "Nivar - [Untitled 2]");
    auto* First = qobject_cast<QMdiSubWindow*>(Editor->parentWidget());
    Frame->MdiArea->setActiveSubWindow(First);
    EXPECT_EQ(Title(), "Nivar - [Untitled*]");
    qobject_cast<QMdiSubWindow*>(Other->parentWidget())->close();
    QApplication::processEvents();
    EXPECT_EQ(Title(), "Nivar - [Untitled*]");
    Editor->Editor->document()->setModified(false);
    EXPECT_EQ(Title(), "Nivar - [Untitled]");
    Frame->MdiArea->closeAllSubWindows();
    QApplication::processEvents();
    EXPECT_EQ(Title(), "Nivar");
}

// Exit asks about every window with unsaved changes before any closes, each brought forward
// (and shown, if minimized) for its question; a Cancel at any question keeps every window.
TEST_F(FrameWindow, ExitAsksEachWindowInFrontAndCancelKeepsThemAll)
{
    Type("a(1). ");
    TEditForm* Other = Frame->New1Click();
    Other->Editor->insertPlainText("b(1). ");
    auto* First = qobject_cast<QMdiSubWindow*>(Editor->parentWidget());
    First->showMinimized();
    Frame->MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(Other->parentWidget()));
    std::vector<std::pair<TEditForm*, bool>> Shown; // the window in front, and minimized
    Fake.OnQuestion = [&] {
        TEditForm* Active = Frame->ActiveEditor();
        Shown.push_back({Active, Active && Active->parentWidget()->isMinimized()});
    };
    Fake.Answers = {TDialogs::No, TDialogs::Cancel};
    EXPECT_FALSE(Frame->close());
    EXPECT_EQ(Fake.Questions,
              (std::vector<QString>{"Save changes to Untitled?", "Save changes to Untitled 2?"}));
    EXPECT_EQ(Shown, (std::vector<std::pair<TEditForm*, bool>>{{Editor, false}, {Other, false}}));
    QApplication::processEvents();
    ASSERT_EQ(Frame->Editors().size(), 2) << "a Cancel keeps every window";
    EXPECT_EQ(Editor->Editor->toPlainText(), "a(1). ");
    EXPECT_TRUE(Editor->Editor->document()->isModified());
    // Asked again, the answers of the cancelled exit do not count.
    Fake.Answers = {TDialogs::Cancel};
    EXPECT_FALSE(Frame->close());
    EXPECT_EQ(Frame->Editors().size(), 2);
    Fake.Answers = {TDialogs::No, TDialogs::No};
    Fake.OnQuestion = nullptr;
    EXPECT_TRUE(Frame->close());
    QApplication::processEvents();
    EXPECT_TRUE(Frame->Editors().isEmpty());
}

// Each window's last result stays in its part of the status bar, shown while the window is the
// active one: notes and status tips come and go beside it.
TEST_F(FrameWindow, EachWindowKeepsItsResult)
{
    Type("p(a). ?- p(a). ");
    Editor->SpeedButton2->click();
    const QString First = Frame->Result();
    EXPECT_TRUE(First.startsWith("Linear search: query 1 refuted")) << First.toStdString();
    Frame->statusBar()->showMessage(QStringLiteral("a status tip"));
    EXPECT_EQ(Frame->Result(), First);
    EXPECT_TRUE(Frame->ResultLabel->isVisible());
    TEditForm* Other = Frame->New1Click();
    EXPECT_EQ(Frame->Result(), "") << "a window that never ran has no result";
    Other->Editor->setPlainText("q(a). ?- p(a). ");
    Other->SpeedButton3->click();
    EXPECT_TRUE(Frame->Result().startsWith("Breadth-first search: query 1 not refuted"));
    Frame->MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(Editor->parentWidget()));
    EXPECT_EQ(Frame->Result(), First);
}

// A file open already is brought forward: two windows of it would save over each other.
TEST_F(FrameWindow, AFileOpenAlreadyIsBroughtForward)
{
    const QString Path = WriteFile("once.txt", "p(a). ?- p(a).\n");
    TEditForm* First = Frame->OpenFile(Path);
    Frame->New1Click();
    EXPECT_EQ(Frame->OpenFile(Path), First);
    EXPECT_EQ(Frame->ActiveEditor(), First);
    EXPECT_EQ(Frame->Editors().size(), 3);
}

TEST_F(FrameWindow, ExamplesOpenAsUntitledCopies)
{
    Frame->SetExamplesFolder(NIVAR_EXAMPLES_DIR);
    const QStringList Names = Captions(Editor->Examples1);
    EXPECT_TRUE(Names.contains("family.txt")) << Names.join(' ').toStdString();
    EXPECT_EQ(Captions(Frame->Examples1), Names);
    QAction* Family = Editor->Examples1->actions()[Names.indexOf("family.txt")];
    Family->trigger();
    TEditForm* Copy = Frame->ActiveEditor();
    ASSERT_NE(Copy, Editor);
    EXPECT_EQ(Copy->FileName, "family.txt (example)");
    EXPECT_TRUE(Copy->Untitled());
    EXPECT_TRUE(Copy->Editor->toPlainText().contains("\nparent(tom, bob).\n"));
    Family->trigger();
    EXPECT_EQ(Frame->ActiveEditor()->FileName, "family.txt (example 2)");
    EXPECT_FALSE(Copy->Editor->document()->isModified());
    Frame->SetExamplesFolder(Folder + "/none");
    EXPECT_EQ(Captions(Editor->Examples1), QStringList{"(no examples found)"});
}

TEST_F(FrameWindow, OpensAtTwoThirdsOfTheScreenInItsMiddle)
{
    TFrameForm Fresh;
    const QRect Free = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(Fresh.width(), std::min(Free.width(), std::max(585, Free.width() * 2 / 3)));
    EXPECT_LE(std::abs(Fresh.geometry().center().x() - Free.center().x()), 1);
}

TEST(SymbolFont, IsCompiledIntoTheProgram)
{
    const int Id = QFontDatabase::addApplicationFont(":/font/myfont.ttf");
    ASSERT_GE(Id, 0);
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(Id).contains("Ventrix"));
    EXPECT_TRUE(QFontDatabase::removeApplicationFont(Id));
}

TEST(Program, AnswersHelpAndVersionWithoutAWindow)
{
    for (const char* Flag : {"--help", "--version"}) {
        QProcess Nivar;
        Nivar.setProcessEnvironment(QProcessEnvironment()); // no display at all
        Nivar.start(NIVAR_DESKTOP, {Flag});
        ASSERT_TRUE(Nivar.waitForFinished(10000));
        EXPECT_EQ(Nivar.exitCode(), 0);
        EXPECT_TRUE(Nivar.readAllStandardOutput().startsWith(
            std::string(Flag) == "--help" ? "Usage: nivar" : "nivar "));
    }
}
} // namespace
