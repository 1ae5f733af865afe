#include "ui/MDIEdit.h"

#include "driver/run.h"
#include "driver/runstate.h"
#include "ui/MDIFrame.h"
#include "ui/dialogs.h"
#include "ui/keyboard.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QSaveFile>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

TEditForm* TEditForm::RunningForm = nullptr;

namespace {
// The menu event processing is let run at most this often during a proof.
constexpr std::chrono::milliseconds YieldInterval(15);

QFont SymbolFont()
{
    return QFont(QStringLiteral("Ventrix"), 11);
}

QToolButton* SpeedButton(QWidget* Panel, const QString& Caption, int Left)
{
    auto* B = new QToolButton(Panel);
    B->setText(Caption);
    B->setGeometry(Left, 2, 57, 25);
    B->setFocusPolicy(Qt::NoFocus);
    return B;
}
} // namespace

TMemo::TMemo(QWidget* Parent) : QPlainTextEdit(Parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap); // both scroll bars
    setFont(SymbolFont());
    // Characters reach the text through the key handlers only.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

QMimeData* TMemo::createMimeDataFromSelection() const
{
    auto* Data = new QMimeData;
    Data->setText(ClipboardFromDocument(textCursor().selectedText()));
    return Data;
}

bool TMemo::canInsertFromMimeData(const QMimeData* Source) const
{
    return Source->hasText();
}

void TMemo::insertFromMimeData(const QMimeData* Source)
{
    if (Source->hasText())
        insertPlainText(DocumentFromClipboard(Source->text()));
}

TEditForm::TEditForm(TFrameForm* AFrame) : Frame(AFrame)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Panel1 = new QWidget(this);
    Panel1->setFixedHeight(30);
    SpeedButton1 = SpeedButton(Panel1, QStringLiteral("&Stop"), 8);
    SpeedButton2 = SpeedButton(Panel1, QStringLiteral("Linear"), 73);
    SpeedButton3 = SpeedButton(Panel1, QStringLiteral("Breadth"), 137);
    SpeedButton4 = SpeedButton(Panel1, QStringLiteral("Modified"), 201);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_BrowserStop)); // greys when disabled
    SpeedButton1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    Layout->addWidget(Panel1);
    auto* Panes = new QSplitter(Qt::Vertical, this);
    Editor = new TMemo(Panes);
    Output = new TMemo(Panes);
    Panes->addWidget(Editor);
    Panes->addWidget(Output);
    Panes->setSizes({161, 162});
    Layout->addWidget(Panes);
    Editor->installEventFilter(this);
    Output->installEventFilter(this);
    setFocusProxy(Editor);

    BuildMenus();
    for (TMemo* Memo : {Editor, Output}) {
        Memo->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(Memo, &QWidget::customContextMenuRequested, this, [this, Memo](const QPoint& At) {
            Memo->setFocus();
            Edit1Click();
            PopupMenu1->popup(Memo->mapToGlobal(At));
        });
    }
    connect(SpeedButton1, &QToolButton::clicked, this, &TEditForm::SpeedButton1Click);
    for (QToolButton* B : {SpeedButton2, SpeedButton3, SpeedButton4})
        connect(B, &QToolButton::clicked, this, [this, B] { LinearClick(B); });
    connect(Editor->document(), &QTextDocument::modificationChanged, this,
            [this](bool) { setWindowModified(Editor->document()->isModified()); });

    // FormCreate
    FileName = QStringLiteral("Untitled");
    setWindowTitle(FileName + QStringLiteral("[*]"));
    PLProgram = new TPLProgram(this);
    EditorText = ProverText(Editor->document()->toRawText());
    resize(582, 400);
    ShowRunning(false);
}

TEditForm::~TEditForm()
{
    if (CurrentProgram == PLProgram)
        CurrentProgram = nullptr;
    delete PLProgram;
}

QAction* TEditForm::NewAction(QMenu* Menu, const QString& Caption)
{
    auto* A = new QAction(Caption, this);
    Menu->addAction(A);
    return A;
}

void TEditForm::BuildMenus()
{
    File1 = new QMenu(QStringLiteral("&File"), this);
    New1 = NewAction(File1, QStringLiteral("&New"));
    Open1 = NewAction(File1, QStringLiteral("&Open..."));
    Close1 = NewAction(File1, QStringLiteral("&Close"));
    Save1 = NewAction(File1, QStringLiteral("&Save"));
    Saveas1 = NewAction(File1, QStringLiteral("Save &as..."));
    File1->addSeparator();
    Exit1 = NewAction(File1, QStringLiteral("E&xit"));
    connect(New1, &QAction::triggered, Frame, [this] { Frame->New1Click(); });
    connect(Open1, &QAction::triggered, Frame, [this] { Frame->Open1Click(); });
    connect(Close1, &QAction::triggered, this, [this] {
        if (QWidget* Window = parentWidget())
            Window->close();
        else
            close();
    });
    connect(Save1, &QAction::triggered, this, &TEditForm::Save1Click);
    connect(Saveas1, &QAction::triggered, this, &TEditForm::Saveas1Click);
    connect(Exit1, &QAction::triggered, Frame, [this] { Frame->Exit1Click(); });

    Edit1 = new QMenu(QStringLiteral("&Edit"), this);
    Cut1 = NewAction(Edit1, QStringLiteral("Cu&t"));
    Copy1 = NewAction(Edit1, QStringLiteral("&Copy"));
    Paste1 = NewAction(Edit1, QStringLiteral("&Paste"));
    Delete1 = NewAction(Edit1, QStringLiteral("De&lete"));
    Edit1->addSeparator();
    Selectall1 = NewAction(Edit1, QStringLiteral("Select &all"));
    ClrOutput = NewAction(Edit1, QStringLiteral("Clear Output"));
    Font1 = NewAction(Edit1, QStringLiteral("Font..."));
    const std::pair<QAction*, QKeySequence> Keys[] = {
        {Cut1, QKeySequence(Qt::CTRL | Qt::Key_X)},
        {Copy1, QKeySequence(Qt::CTRL | Qt::Key_C)},
        {Paste1, QKeySequence(Qt::CTRL | Qt::Key_V)},
        {Delete1, QKeySequence(Qt::CTRL | Qt::Key_D)},
        {Selectall1, QKeySequence(Qt::CTRL | Qt::Key_A)},
    };
    for (const auto& [Action, Key] : Keys) {
        Action->setShortcut(Key);
        Action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(Action);
    }
    connect(Edit1, &QMenu::aboutToShow, this, &TEditForm::Edit1Click);
    auto OnMemo = [this](void (QPlainTextEdit::*Command)()) {
        return [this, Command] {
            if (TMemo* Memo = FocusedMemo())
                (Memo->*Command)();
        };
    };
    connect(Cut1, &QAction::triggered, this, OnMemo(&QPlainTextEdit::cut));
    connect(Copy1, &QAction::triggered, this, OnMemo(&QPlainTextEdit::copy));
    connect(Paste1, &QAction::triggered, this, OnMemo(&QPlainTextEdit::paste));
    connect(Selectall1, &QAction::triggered, this, OnMemo(&QPlainTextEdit::selectAll));
    connect(Delete1, &QAction::triggered, this, [this] {
        if (TMemo* Memo = FocusedMemo())
            Memo->textCursor().removeSelectedText();
    });
    connect(ClrOutput, &QAction::triggered, this, [this] { ClearOutput(); });
    connect(Font1, &QAction::triggered, this, [this] {
        TMemo* Memo = FocusedMemo();
        if (!Memo)
            return;
        QFont Font = Memo->font();
        if (Dialogs().ChooseFont(this, Font))
            Memo->setFont(Font);
    });

    PopupMenu1 = new QMenu(this);
    Cut2 = NewAction(PopupMenu1, QStringLiteral("Cu&t"));
    Copy2 = NewAction(PopupMenu1, QStringLiteral("&Copy"));
    Paste2 = NewAction(PopupMenu1, QStringLiteral("&Paste"));
    connect(Cut2, &QAction::triggered, Cut1, &QAction::trigger);
    connect(Copy2, &QAction::triggered, Copy1, &QAction::trigger);
    connect(Paste2, &QAction::triggered, Paste1, &QAction::trigger);

    Output1 = new QMenu(QStringLiteral("&Output"), this);
    Provetheorem1 = new QMenu(QStringLiteral("&Prove theorem"), this);
    Unifiers1 = new QMenu(QStringLiteral("&Unification"), this);
    Stop1 = NewAction(Provetheorem1, QStringLiteral("Stop"));
    SRLimit = NewAction(Provetheorem1, QStringLiteral("DCF-Limit..."));
    Provetheorem1->addSeparator(); // N7
    Linear = NewAction(Provetheorem1, QStringLiteral("Linear search"));
    Breadthfirst1 = NewAction(Provetheorem1, QStringLiteral("Breadth-first search"));
    ModifLinear1 = NewAction(Provetheorem1, QStringLiteral("Modified linear search"));
    connect(Stop1, &QAction::triggered, this, &TEditForm::SpeedButton1Click);
    connect(SRLimit, &QAction::triggered, this, &TEditForm::SRLimitClick);
    for (QAction* A : {Linear, Breadthfirst1, ModifLinear1})
        connect(A, &QAction::triggered, this, [this, A] { LinearClick(A); });

    // The option items, from the one table of options; a separator stands between groups.
    std::map<TOptionGroup, QActionGroup*> Groups;
    TOptionGroup Previous = TOptionGroup::None;
    TOption PreviousItem = TOption::Axioms;
    for (const TOptionItem& Item : OptionItems()) {
        QMenu* Menu = Item.Menu == TOptionMenu::Output         ? Output1
                      : Item.Menu == TOptionMenu::ProveTheorem ? Provetheorem1
                                                               : Unifiers1;
        const bool NewMenu = Options.empty() || OptionItem(PreviousItem).Menu != Item.Menu;
        const bool Separate = Item.Menu == TOptionMenu::ProveTheorem
                                  ? NewMenu || Item.Group != Previous // N1, N5
                                  : Item.Menu == TOptionMenu::Unification && !NewMenu &&
                                        Item.Group != Previous; // N4, N6
        if (Separate)
            Menu->addSeparator();
        auto* A = NewAction(Menu, QString::fromUtf8(Item.Caption.data(), Item.Caption.size()));
        A->setObjectName(QString::fromUtf8(Item.Name.data(), Item.Name.size()));
        A->setCheckable(true);
        A->setChecked(Item.Default);
        if (Item.Group != TOptionGroup::None) {
            QActionGroup*& Group = Groups[Item.Group];
            if (!Group)
                Group = new QActionGroup(this);
            Group->addAction(A);
        }
        Options[Item.Item] = A;
        Previous = Item.Group;
        PreviousItem = Item.Item;
    }
}

QList<QMenu*> TEditForm::Menus() const
{
    return {File1, Edit1, Output1, Provetheorem1, Unifiers1};
}

bool TEditForm::Checked(TOption Item) const
{
    return Options.at(Item)->isChecked();
}

std::string TEditForm::GetEditorText()
{
    EditorText = ProverText(Editor->document()->toRawText());
    return EditorText;
}

void TEditForm::ClearOutput()
{
    PendingLines.clear();
    Output->clear();
}

void TEditForm::AddLine(const std::string& Line)
{
    PendingLines.append(DocumentText(Line));
}

void TEditForm::FlushOutput()
{
    if (PendingLines.isEmpty())
        return;
    Output->appendPlainText(PendingLines.join(QChar('\n')));
    PendingLines.clear();
}

void TEditForm::SetCaret(std::int32_t Index)
{
    QTextCursor Cursor(Editor->document());
    Cursor.setPosition(std::clamp(Index, 0, Editor->document()->characterCount() - 1));
    Editor->setTextCursor(Cursor);
}

void TEditForm::ShowMessage(const std::string& Text)
{
    FlushOutput();
    Dialogs().Message(this, DocumentText(Text));
}

void TEditForm::ProcessMessages()
{
    // Events are let run now and then only: a proof asks at every atom pair it tries.
    const auto Now = std::chrono::steady_clock::now();
    if (Now - LastYield < YieldInterval)
        return;
    FlushOutput();
    QCoreApplication::processEvents();
    LastYield = std::chrono::steady_clock::now();
}

bool TEditForm::PollStop()
{
    // From inside a long walk: the events run as at a yield point, so Stop is seen.
    ProcessMessages();
    return StopRequested;
}

void TEditForm::FocusOutput()
{
    Output->setFocus();
}

void TEditForm::ShowRunning(bool Running)
{
    SpeedButton1->setEnabled(Running);
    Stop1->setEnabled(Running);
}

void TEditForm::LinearClick(QObject* Sender)
{
    if (RunningForm)
        return; // one proof at a time: the run state is the whole application's
    TStrategy Strategy = TStrategy::Linear;
    if (Sender == SpeedButton3 || Sender == Breadthfirst1)
        Strategy = TStrategy::Breadthfirst1;
    else if (Sender == SpeedButton4 || Sender == ModifLinear1)
        Strategy = TStrategy::ModifLinear1;
    RunningForm = this;
    ShowRunning(true);
    LastYield = std::chrono::steady_clock::now();
    const TRunOutcome Outcome = RunProgram(PLProgram, Strategy);
    FlushOutput();
    RunningForm = nullptr;
    ShowRunning(false);
    if (Outcome == TRunOutcome::OutOfMemory)
        Dialogs().Message(this, QStringLiteral("Out of memory: the proof run was stopped and its "
                                               "formulas were released."));
    if (CloseAfterRun) {
        CloseAfterRun = false;
        if (QWidget* Window = parentWidget())
            Window->close();
        else
            close();
    }
    Frame->RunEnded();
}

void TEditForm::SpeedButton1Click()
{
    RequestStop(TStopReason::User);
}

void TEditForm::SRLimitClick()
{
    QString Text = QStringLiteral("5");
    if (!Dialogs().InputText(this, QStringLiteral("Detection of consequent formulas limit"),
                             QStringLiteral("Maximal number of iterations:"), Text))
        Text = QStringLiteral("5");
    const TLimitEntry Limit = ParseDCFLimit(Text.toStdString());
    if (Limit.Valid)
        DCFLimit = Limit.Value;
    else
        Dialogs().Message(this, QString::fromStdString(Limit.Message));
}

TMemo* TEditForm::FocusedMemo() const
{
    const QWidget* Focus = focusWidget();
    if (Focus == Output)
        return Output;
    if (Focus == Editor)
        return Editor;
    return nullptr;
}

void TEditForm::Edit1Click()
{
    TMemo* Memo = FocusedMemo();
    if (!Memo)
        return;
    const QMimeData* Clip = QApplication::clipboard()->mimeData();
    const bool CanPaste = Clip && Clip->hasText();
    Paste1->setEnabled(CanPaste);
    Paste2->setEnabled(CanPaste);
    const bool Selected = Memo->textCursor().hasSelection();
    for (QAction* A : {Cut1, Cut2, Copy1, Copy2, Delete1})
        A->setEnabled(Selected);
}

void TEditForm::SetCaption(const QString& Path)
{
    setWindowTitle(QFileInfo(Path).fileName() + QStringLiteral("[*]"));
}

void TEditForm::OpenDocument(const QString& Path)
{
    FileName = Path;
    SetCaption(Path);
    QFile File(Path);
    if (QFileInfo(Path).isDir() || !File.open(QIODevice::ReadOnly)) {
        Dialogs().Message(this, QStringLiteral("Cannot open file %1").arg(Path));
        return;
    }
    const QByteArray Bytes = File.readAll();
    if (File.error() != QFileDevice::NoError) {
        Dialogs().Message(this, QStringLiteral("Cannot open file %1").arg(Path));
        return;
    }
    Editor->setPlainText(DocumentFromBytes(Bytes, Format));
    Editor->moveCursor(QTextCursor::Start);
    Editor->document()->setModified(false);
}

bool TEditForm::Save1Click()
{
    if (FileName == QStringLiteral("Untitled"))
        return Saveas1Click();
    // Written aside and renamed: a failed save leaves the old file whole.
    QSaveFile File(FileName);
    const QByteArray Bytes = BytesFromDocument(Editor->document()->toRawText(), Format);
    if (!File.open(QIODevice::WriteOnly) || File.write(Bytes) != Bytes.size() || !File.commit()) {
        Dialogs().Message(this, QStringLiteral("Cannot create file %1").arg(FileName));
        return false;
    }
    Editor->document()->setModified(false);
    return true;
}

bool TEditForm::Saveas1Click()
{
    const QString Name = Dialogs().SaveFileName(this, FileName);
    if (Name.isEmpty())
        return false;
    FileName = Name;
    SetCaption(Name);
    return Save1Click();
}

void TEditForm::closeEvent(QCloseEvent* Event)
{
    if (Running()) {
        // The run ends first; the window closes after it.
        RequestStop(TStopReason::User);
        CloseAfterRun = true;
        Event->ignore();
        return;
    }
    if (Editor->document()->isModified()) {
        switch (Dialogs().Question(this, QStringLiteral("Save changes to %1?").arg(FileName))) {
        case TDialogs::Cancel:
            Event->ignore();
            return;
        case TDialogs::Yes:
            // A save that was cancelled or failed keeps the window and its text.
            if (!Save1Click()) {
                Event->ignore();
                return;
            }
            break;
        case TDialogs::No:
            break;
        }
    }
    Event->accept();
}

bool TEditForm::eventFilter(QObject* Watched, QEvent* Event)
{
    auto* Memo = dynamic_cast<TMemo*>(Watched);
    if (!Memo || Event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(Watched, Event);
    auto* Key = static_cast<QKeyEvent*>(Event);
    const std::string Insert = EditorKeyDown(KeyInputOf(*Key));
    if (!Insert.empty())
        Memo->insertPlainText(DocumentText(Insert));
    const QString Text = Key->text();
    const char32_t Character = Text.isEmpty() ? 0 : Text.toUcs4().value(0);
    if (Text.isEmpty() && Insert.empty())
        return false; // no character: arrows, function keys and the like
    return !EditorKeyPress(Character) || !Insert.empty();
}
