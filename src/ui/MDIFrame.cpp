#include "ui/MDIFrame.h"

#include "model/owner.h"
#include "ui/MDIEdit.h"
#include "ui/about.h"
#include "ui/dialogs.h"
#include "ui/examples.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

TFrameForm::TFrameForm()
{
    setWindowTitle(QStringLiteral("Nivar"));
    // Two thirds of the screen, in its middle.
    resize(585, 404);
    if (const QScreen* Screen = QGuiApplication::primaryScreen()) {
        const QRect Free = Screen->availableGeometry();
        const QSize Size(std::max(585, Free.width() * 2 / 3), std::max(404, Free.height() * 2 / 3));
        setGeometry(QRect(QPoint(0, 0), Size.boundedTo(Free.size())));
        move(Free.center() - rect().center());
    }
    MdiArea = new QMdiArea(this);
    MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(MdiArea);
    // A run's result stays in a part of its own: status tips and notes come and go beside it.
    ResultLabel = new QLabel(this);
    statusBar()->addPermanentWidget(ResultLabel);

    File1 = new QMenu(QStringLiteral("&File"), this);
    New1 = File1->addAction(QStringLiteral("&New"));
    Open1 = File1->addAction(QStringLiteral("&Open..."));
    Examples1 = File1->addMenu(QStringLiteral("Exa&mples"));
    File1->addSeparator(); // N1
    Exit1 = File1->addAction(QStringLiteral("E&xit"));
    New1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Window1 = new QMenu(QStringLiteral("&Window"), this);
    Tile1 = Window1->addAction(QStringLiteral("&Tile"));
    Cascade1 = Window1->addAction(QStringLiteral("&Cascade"));
    Arrangeicons1 = Window1->addAction(QStringLiteral("&Arrange icons"));
    Help1 = new QMenu(QStringLiteral("&Help"), this);
    About1 = Help1->addAction(QStringLiteral("About..."));

    connect(New1, &QAction::triggered, this, [this] { New1Click(); });
    connect(Open1, &QAction::triggered, this, &TFrameForm::Open1Click);
    connect(Exit1, &QAction::triggered, this, &TFrameForm::Exit1Click);
    connect(Tile1, &QAction::triggered, this, &TFrameForm::Tile1Click);
    connect(Cascade1, &QAction::triggered, this, &TFrameForm::Cascade1Click);
    connect(Arrangeicons1, &QAction::triggered, this, &TFrameForm::Arrangeicons1Click);
    connect(About1, &QAction::triggered, this, &TFrameForm::About1Click);
    connect(Window1, &QMenu::aboutToShow, this, &TFrameForm::ListWindows);
    connect(MdiArea, &QMdiArea::subWindowActivated, this, [this] {
        MergeMenus();
        ShowTitle();
        ShowResult();
    });
    SetExamplesFolder(ExamplesFolder());
    MergeMenus();
}

TFrameForm::~TFrameForm()
{
    // The windows closing with the frame must not rebuild its menu bar.
    disconnect(MdiArea, nullptr, this, nullptr);
    for (TEditForm* Editor : Editors())
        disconnect(Editor, nullptr, this, nullptr);
}

void TFrameForm::Wire(TEditForm* Editor)
{
    connect(Editor->New1, &QAction::triggered, this, [this] { New1Click(); });
    connect(Editor->Open1, &QAction::triggered, this, &TFrameForm::Open1Click);
    connect(Editor->Exit1, &QAction::triggered, this, &TFrameForm::Exit1Click);
    connect(Editor, &TEditForm::RunStarted, this, [this] { LockRuns(true); });
    connect(Editor, &TEditForm::RunFinished, this, &TFrameForm::RunEnded);
    connect(Editor, &TEditForm::CaptionChanged, this, &TFrameForm::ShowTitle);
    connect(Editor, &TEditForm::StatusMessage, this,
            [this](const QString& Text) { statusBar()->showMessage(Text); });
    connect(Editor, &TEditForm::ResultChanged, this, &TFrameForm::ShowResult);
    FillExamples(Editor->Examples1);
}

void TFrameForm::SetExamplesFolder(const QString& Folder)
{
    ExamplesDir = Folder;
    FillExamples(Examples1);
    for (TEditForm* Editor : Editors())
        FillExamples(Editor->Examples1);
}

void TFrameForm::FillExamples(QMenu* Menu)
{
    Menu->clear();
    const QStringList Files = ExampleFiles(ExamplesDir);
    for (const QString& Path : Files)
        connect(Menu->addAction(QFileInfo(Path).fileName()), &QAction::triggered, this,
                [this, Path] { OpenExample(Path); });
    if (Files.isEmpty())
        Menu->addAction(QStringLiteral("(no examples found)"))->setEnabled(false);
}

void TFrameForm::MergeMenus()
{
    // The active editor's menus stand in place of the frame's File menu.
    QMenuBar* Bar = menuBar();
    Bar->clear();
    if (TEditForm* Editor = ActiveEditor())
        for (QMenu* Menu : Editor->Menus())
            Bar->addMenu(Menu);
    else
        Bar->addMenu(File1);
    Bar->addMenu(Window1);
    Bar->addMenu(Help1);
}

QString TFrameForm::Title() const
{
    if (const TEditForm* Editor = ActiveEditor())
        return QStringLiteral("Nivar - [%1]").arg(Editor->Caption());
    return QStringLiteral("Nivar");
}

namespace {
// The frame's title as Qt keeps it: the active window's own title, "[*]" and all, so that a
// maximized window, which writes its title into the frame's, finds it there already.
QString RawTitle(const TEditForm* Editor)
{
    if (!Editor)
        return QStringLiteral("Nivar");
    const QMdiSubWindow* Sub = qobject_cast<const QMdiSubWindow*>(Editor->parentWidget());
    return QStringLiteral("Nivar - [%1]").arg(Sub ? Sub->windowTitle() : Editor->windowTitle());
}
} // namespace

void TFrameForm::ShowResult()
{
    const TEditForm* Editor = ActiveEditor();
    ResultLabel->setText(Editor ? Editor->Result : QString());
    // The progress of the run is done with: its line goes.
    statusBar()->clearMessage();
}

QString TFrameForm::Result() const
{
    return ResultLabel->text();
}

void TFrameForm::ShowTitle()
{
    const TEditForm* Editor = ActiveEditor();
    SettingTitle = true;
    setWindowTitle(RawTitle(Editor));
    // The placeholder shows the active window's unsaved mark.
    setWindowModified(Editor && Editor->Editor->document()->isModified());
    SettingTitle = false;
}

bool TFrameForm::event(QEvent* Event)
{
    const bool Result = QMainWindow::event(Event);
    // A maximized child window writes its title and unsaved mark into the frame's, also when
    // it closes after another became active: the frame's stay the active window's.
    const auto Type = Event->type();
    if ((Type == QEvent::WindowTitleChange || Type == QEvent::ModifiedChange) && MdiArea &&
        !SettingTitle) {
        const TEditForm* Editor = ActiveEditor();
        const bool Modified = Editor && Editor->Editor->document()->isModified();
        if (windowTitle() != RawTitle(Editor) || isWindowModified() != Modified)
            ShowTitle();
    }
    return Result;
}

void TFrameForm::ListWindows()
{
    for (QAction* A : WindowList)
        delete A;
    WindowList.clear();
    const QList<QMdiSubWindow*> Windows = MdiArea->subWindowList();
    if (Windows.isEmpty())
        return;
    WindowList.append(Window1->addSeparator());
    int Number = 1;
    for (QMdiSubWindow* Sub : Windows) {
        QString Title = Sub->windowTitle();
        Title.remove(QStringLiteral("[*]"));
        QAction* A = Window1->addAction(QStringLiteral("&%1 %2").arg(Number++).arg(Title));
        A->setCheckable(true);
        A->setChecked(Sub == MdiArea->activeSubWindow());
        connect(A, &QAction::triggered, this, [this, Sub] { MdiArea->setActiveSubWindow(Sub); });
        WindowList.append(A);
    }
}

TEditForm* TFrameForm::ActiveEditor() const
{
    QMdiSubWindow* Sub = MdiArea->activeSubWindow();
    return Sub ? qobject_cast<TEditForm*>(Sub->widget()) : nullptr;
}

QList<TEditForm*> TFrameForm::Editors() const
{
    QList<TEditForm*> List;
    for (QMdiSubWindow* Sub : MdiArea->subWindowList())
        if (auto* Editor = qobject_cast<TEditForm*>(Sub->widget()))
            List.append(Editor);
    return List;
}

QString TFrameForm::FreeName(const QString& Base, const QString& Numbered) const
{
    QStringList Taken;
    for (const TEditForm* E : Editors())
        Taken << E->FileName;
    QString Name = Base;
    for (int N = 2; Taken.contains(Name); ++N)
        Name = Numbered.arg(N);
    return Name;
}

TEditForm* TFrameForm::New1Click()
{
    auto* Editor = new TEditForm;
    Editor->SetUntitledName(FreeName(QStringLiteral("Untitled"), QStringLiteral("Untitled %1")));
    Wire(Editor);
    QMdiSubWindow* Sub = MdiArea->addSubWindow(Editor);
    Sub->setAttribute(Qt::WA_DeleteOnClose);
    Sub->showMaximized();
    Editor->setFocus();
    MergeMenus();
    ShowTitle();
    return Editor;
}

void TFrameForm::Open1Click()
{
    const QString Path = Dialogs().OpenFileName(this);
    if (!Path.isEmpty())
        OpenFile(Path);
}

TEditForm* TFrameForm::OpenFile(const QString& Path)
{
    // A file open already has its window brought forward: two windows of one file would
    // each save over the other's changes.
    const QString Absolute = QFileInfo(Path).absoluteFilePath();
    for (TEditForm* Open : Editors())
        if (!Open->Untitled() && Open->FileName == Absolute) {
            if (auto* Sub = qobject_cast<QMdiSubWindow*>(Open->parentWidget())) {
                if (Sub->isMinimized())
                    Sub->setWindowState(Sub->windowState() & ~Qt::WindowMinimized);
                MdiArea->setActiveSubWindow(Sub);
            }
            statusBar()->showMessage(
                QStringLiteral("%1 is open already.").arg(QFileInfo(Path).fileName()));
            return Open;
        }
    TEditForm* Editor = New1Click();
    Editor->OpenDocument(Path);
    if (Editor->Untitled()) { // a TPTP problem, read into a new document
        const QString File = QFileInfo(Path).fileName();
        Editor->SetUntitledName(FreeName(QStringLiteral("%1 (read)").arg(File),
                                         QStringLiteral("%1 (read %2)").arg(File, "%1")));
    }
    return Editor;
}

TEditForm* TFrameForm::OpenExample(const QString& Path)
{
    TEditForm* Editor = New1Click();
    const QString File = QFileInfo(Path).fileName();
    Editor->SetUntitledName(FreeName(QStringLiteral("%1 (example)").arg(File),
                                     QStringLiteral("%1 (example %2)").arg(File, "%1")));
    Editor->OpenCopy(Path);
    return Editor;
}

void TFrameForm::Exit1Click()
{
    close();
}

void TFrameForm::Tile1Click()
{
    MdiArea->tileSubWindows();
}

void TFrameForm::Cascade1Click()
{
    MdiArea->cascadeSubWindows();
}

void TFrameForm::Arrangeicons1Click()
{
    // Minimized windows line up along the bottom edge.
    int Left = 0;
    for (QMdiSubWindow* Sub : MdiArea->subWindowList())
        if (Sub->isMinimized()) {
            Sub->move(Left, MdiArea->viewport()->height() - Sub->height());
            Left += Sub->width();
        }
}

void TFrameForm::About1Click()
{
    if (!AboutBox)
        return;
    AboutBox->show();
    AboutBox->raise();
    AboutBox->activateWindow();
}

void TFrameForm::LockRuns(bool Locked)
{
    for (TEditForm* Editor : Editors())
        Editor->SetRunLocked(Locked);
}

void TFrameForm::RunEnded()
{
    LockRuns(false);
    if (ExitAfterRun) {
        ExitAfterRun = false;
        close();
    }
}

void TFrameForm::closeEvent(QCloseEvent* Event)
{
    if (TEditForm::RunningForm) {
        // The run ends first; the application closes after it.
        RequestStop(TStopReason::User);
        ExitAfterRun = true;
        Event->ignore();
        return;
    }
    // Every editor window is asked before any closes, each brought forward for its
    // question; a Cancel in one stops the exit with every window open.
    const QList<TEditForm*> Windows = Editors();
    for (TEditForm* Editor : Windows)
        if (!Editor->ConfirmClose()) {
            for (TEditForm* Asked : Windows)
                Asked->ForgetAnswer();
            Event->ignore();
            return;
        }
    for (QMdiSubWindow* Sub : MdiArea->subWindowList())
        if (!Sub->close()) {
            Event->ignore();
            return;
        }
    if (AboutBox)
        AboutBox->hide();
    Event->accept();
}
