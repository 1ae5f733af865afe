#include "ui/MDIFrame.h"

#include "driver/runstate.h"
#include "ui/MDIEdit.h"
#include "ui/about.h"
#include "ui/dialogs.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

TFrameForm::TFrameForm()
{
    setWindowTitle(QStringLiteral("Nivar"));
    resize(585, 404);
    MdiArea = new QMdiArea(this);
    MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(MdiArea);

    File1 = new QMenu(QStringLiteral("&File"), this);
    New1 = File1->addAction(QStringLiteral("&New"));
    Open1 = File1->addAction(QStringLiteral("&Open..."));
    File1->addSeparator(); // N1
    Exit1 = File1->addAction(QStringLiteral("E&xit"));
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
    connect(MdiArea, &QMdiArea::subWindowActivated, this, &TFrameForm::MergeMenus);
    MergeMenus();
}

TFrameForm::~TFrameForm()
{
    // The windows closing with the frame must not rebuild its menu bar.
    disconnect(MdiArea, nullptr, this, nullptr);
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

TEditForm* TFrameForm::New1Click()
{
    auto* Editor = new TEditForm(this);
    QMdiSubWindow* Sub = MdiArea->addSubWindow(Editor);
    Sub->setAttribute(Qt::WA_DeleteOnClose);
    Sub->showMaximized();
    Editor->setFocus();
    MergeMenus();
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
    TEditForm* Editor = New1Click();
    Editor->OpenDocument(Path);
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

void TFrameForm::RunEnded()
{
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
    // Every editor window is asked; a Cancel in one stops the exit.
    for (QMdiSubWindow* Sub : MdiArea->subWindowList())
        if (!Sub->close()) {
            Event->ignore();
            return;
        }
    if (AboutBox)
        AboutBox->hide();
    Event->accept();
}
