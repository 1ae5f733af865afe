#include "ui/MDIEdit.h"

#include "driver/derivation.h"
#include "driver/models.h"
#include "driver/run.h"
#include "language/tptp.h"
#include "model/runstate.h"
#include "model/symbols.h"
#include "ui/dialogs.h"
#include "ui/keyboard.h"
#include "ui/proofgraph.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QSaveFile>
#include <QScrollBar>
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

// Line and column, from 1, of the cursor's position in its document.
std::pair<int, int> LineAndColumn(const QTextCursor& Cursor)
{
    return {Cursor.blockNumber() + 1, Cursor.positionInBlock() + 1};
}
} // namespace

TSymbolFace::TSymbolFace(QTextDocument* Document) : QSyntaxHighlighter(Document) {}

void TSymbolFace::highlightBlock(const QString& Text)
{
    QTextCharFormat Symbol;
    Symbol.setFontFamilies({QStringLiteral("Ventrix")});
    for (qsizetype I = 0; I < Text.size(); ++I) {
        const char16_t C = Text[I].unicode();
        for (const Sym::TSymbolCode& Code : Sym::Codes)
            if (C == Code.Byte) {
                setFormat(static_cast<int>(I), 1, Symbol);
                break;
            }
    }
}

TMemo::TMemo(QWidget* Parent) : QPlainTextEdit(Parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap); // both scroll bars
    setFont(SymbolFont());
    new TSymbolFace(document()); // owned by the document
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
    if (!Source->hasText())
        return;
    const QString Text = DocumentFromClipboard(Source->text());
    const auto [Line, Column] = LineAndColumn(textCursor());
    insertPlainText(Text);
    const QString Note = ForeignCharacterNote(Text, Line, Column);
    if (!Note.isEmpty())
        emit ForeignPasted(Note);
}

TEditForm::TEditForm(QWidget* Parent) : QWidget(Parent)
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
    SpeedButton5 = SpeedButton(Panel1, QStringLiteral("Best"), 265);
    SpeedButton6 = SpeedButton(Panel1, QStringLiteral("Counter"), 329);

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
        connect(Memo, &TMemo::ForeignPasted, this, &TEditForm::StatusMessage);
    }
    connect(SpeedButton1, &QToolButton::clicked, this, &TEditForm::SpeedButton1Click);
    for (QToolButton* B : {SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6})
        connect(B, &QToolButton::clicked, this, [this, B] { LinearClick(B); });
    connect(Editor->document(), &QTextDocument::modificationChanged, this, [this](bool) {
        setWindowModified(Editor->document()->isModified());
        emit CaptionChanged();
    });
    // A move of the scroll bar that the window did not make is the user's.
    connect(Output->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int Value) {
        if (!Scrolling)
            FollowOutput = Value >= Output->verticalScrollBar()->maximum();
    });
    // The range grows after the lines came, when a horizontal scroll bar takes a line of the
    // pane's height: the last line stays in view.
    connect(Output->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int Max) {
        if (!FollowOutput)
            return;
        Scrolling = true;
        Output->verticalScrollBar()->setValue(Max);
        Scrolling = false;
    });

    // FormCreate
    FileName = QStringLiteral("Untitled");
    setWindowTitle(FileName + QStringLiteral("[*]"));
    PLProgram = new TPLProgram(this);
    EditorText = ProverText(Editor->document()->toRawText());
    resize(582, 400);
    SetRunLocked(RunningForm != nullptr);
}

TEditForm::~TEditForm()
{
    if (CurrentProgram == PLProgram)
        CurrentProgram = nullptr;
    delete PLProgram;
}

bool TEditForm::Checked(TOption Item) const
{
    return Options.at(Item)->isChecked();
}

std::string TEditForm::GetEditorText()
{
    // A TPTP problem in the editor is proved as the document it reads into.
    EditorText = TptpText.empty() ? ProverText(Editor->document()->toRawText()) : TptpText;
    return EditorText;
}

void TEditForm::ClearOutput()
{
    PendingLines.clear();
    Output->clear();
    ReadDerivation();
}

void TEditForm::ReadDerivation()
{
    // The derivation the run recorded of its first refutation; a cleared report has none.
    Derivation.clear();
    if (!Output->document()->isEmpty())
        for (const TQueryOutcome& O : Outcomes)
            if (O.Refuted && !O.Proof.empty()) {
                Derivation = O.Proof;
                break;
            }
    const QString Why =
        Derivation.empty()
            ? QStringLiteral("Proof graph: available after a refutation")
            : QStringLiteral("Draws the derivation of the first refutation in the report");
    ProofGraph1->setEnabled(!Derivation.empty());
    ProofGraph1->setStatusTip(Why);
    ProofGraph1->setToolTip(Why);
}

void TEditForm::ProofGraph1Click()
{
    if (Derivation.empty())
        return;
    QString Error;
    const QString Name = QFileInfo(FileName).completeBaseName();
    const QByteArray Svg = RenderDot(DotGraph(Derivation, Name.toStdString()), Error);
    if (Svg.isEmpty()) {
        Dialogs().Message(this, Error, TDialogs::Warning);
        return;
    }
    auto* Window = new TProofGraph(
        QStringLiteral("Proof graph - %1").arg(QFileInfo(FileName).fileName()), Svg, this);
    Window->show();
}

void TEditForm::AddLine(const std::string& Line)
{
    PendingLines.append(DocumentText(Line));
}

void TEditForm::FlushOutput()
{
    if (Running())
        emit StatusMessage(QStringLiteral("%1: query %2, %3 resolvents")
                               .arg(RunName)
                               .arg(QueriesEvaluated + 1)
                               .arg(ResolventCount));
    if (PendingLines.isEmpty())
        return;
    // New lines keep the last one in view unless the user has scrolled away; the pane's own
    // rule loses it once a horizontal scroll bar takes a line of its height.
    Scrolling = true;
    Output->appendPlainText(PendingLines.join(QChar('\n')));
    PendingLines.clear();
    QScrollBar* Bar = Output->verticalScrollBar();
    if (FollowOutput)
        Bar->setValue(Bar->maximum());
    Scrolling = false;
}

void TEditForm::SetCaret(std::int32_t Index)
{
    if (!TptpText.empty()) {
        // The text proved was read from the TPTP problem: the formula it came from.
        const auto At = static_cast<std::size_t>(std::max(Index, 0));
        const auto After =
            std::upper_bound(TptpPlaces.begin(), TptpPlaces.end(), At,
                             [](std::size_t I, const TTptpPlace& P) { return I < P.Offset; });
        const std::size_t Line = After == TptpPlaces.begin() ? 1 : std::prev(After)->Line;
        const std::size_t Column = After == TptpPlaces.begin() ? 1 : std::prev(After)->Column;
        ShowTptpPlace(Line, Column);
        std::tie(ErrorLine, ErrorColumn) = LineAndColumn(Editor->textCursor());
        SyntaxError = true;
        ShowPendingMessage(QStringLiteral("\nLine %1, column %2.").arg(ErrorLine).arg(ErrorColumn));
        return;
    }
    QTextCursor Cursor(Editor->document());
    Cursor.setPosition(std::clamp(Index, 0, Editor->document()->characterCount() - 1));
    Editor->setTextCursor(Cursor);
    // The error is where the user looks next: the editor has the keyboard again.
    Editor->setFocus();
    Editor->ensureCursorVisible();
    std::tie(ErrorLine, ErrorColumn) = LineAndColumn(Cursor);
    SyntaxError = true;
    ShowPendingMessage(QStringLiteral("\nLine %1, column %2.").arg(ErrorLine).arg(ErrorColumn));
}

void TEditForm::ShowMessage(const std::string& Text)
{
    // A syntax error's message waits for its place (SetCaret), which the box names too.
    FlushOutput();
    if (!PendingMessage.isEmpty())
        ShowPendingMessage();
    PendingMessage = DocumentText(Text);
}

void TEditForm::ShowPendingMessage(const QString& Where)
{
    if (PendingMessage.isEmpty())
        return;
    const QString Text = PendingMessage + Where;
    PendingMessage.clear();
    // The time the box stands open is the user's, not the proof's.
    const auto Shown = std::chrono::steady_clock::now();
    Dialogs().Message(this, Text, TDialogs::Warning);
    MessageSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - Shown).count();
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

void TEditForm::QueryEnded(const TQueryOutcome& Outcome)
{
    Outcomes.push_back(Outcome);
}

void TEditForm::FocusOutput()
{
    Output->setFocus();
}

void TEditForm::SetRunLocked(bool Locked)
{
    RunLocked = Locked;
    for (QToolButton* B : {SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6})
        B->setEnabled(!Locked);
    for (QAction* A :
         {Linear, Breadthfirst1, ModifLinear1, BestFirst1, Automatic1, CounterModel1, RunAgain1})
        A->setEnabled(!Locked);
    SpeedButton1->setEnabled(Locked);
    Stop1->setEnabled(Locked);
}

QString TEditForm::RunSummary() const
{
    if (SyntaxError)
        return QStringLiteral("Syntax error at line %1, column %2.")
            .arg(ErrorLine)
            .arg(ErrorColumn);
    QStringList Parts;
    bool Open = false; // a query neither refuted nor answered by a counter-model
    QString Doubt;     // the first refutation that may not hold, and why
    for (const TQueryOutcome& O : Outcomes) {
        if (O.Refuted && O.ExistentialAt >= 0 && Doubt.isEmpty()) {
            const auto At = std::min(static_cast<std::size_t>(O.ExistentialAt), EditorText.size());
            const auto Line = std::count(EditorText.begin(), EditorText.begin() + At, '\n') + 1;
            Doubt = QStringLiteral(" The proof of query %1 read the variable %2 of the formula "
                                   "at line %3 as universal, though it is not: Unification > "
                                   "Skolemization proves soundly.")
                        .arg(O.Number)
                        .arg(QString::fromStdString(O.Existential))
                        .arg(Line);
        }
        // Superposition that saturated shows that the query does not follow, with no model.
        const bool Saturated = O.CounterSatisfiable && O.Saturated;
        const QString What = O.Refuted && O.ExistentialAt >= 0
                                 ? QStringLiteral("refuted in the default mode (may not hold)")
                             : O.Refuted ? QStringLiteral("refuted")
                             : Saturated ? QStringLiteral("does not follow (its clauses saturated)")
                             : O.CounterSatisfiable ? QStringLiteral("has a counter-model")
                             : LastRun == SpeedButton6 || LastRun == CounterModel1
                                 ? QStringLiteral("has no counter-model up to 8 elements")
                                 : QStringLiteral("not refuted");
        Open = Open || (!O.Refuted && (!O.CounterSatisfiable || Saturated));
        Parts << QStringLiteral("query %1 %2 (%3 s)")
                     .arg(O.Number)
                     .arg(What)
                     .arg(O.Seconds, 0, 'f', 2);
    }
    QString Summary = RunName + QStringLiteral(": ");
    if (!Outcomes.empty() && Outcomes.back().Stop != TStopReason::None)
        Summary += QStringLiteral("stopped; ");
    if (Parts.isEmpty())
        return Summary + QStringLiteral("no query was proved.");
    Summary += Parts.join(QStringLiteral(" | ")) + QChar('.') + Doubt;
    // A proof that found nothing: a counter-model may show why.
    if (Open && LastRun != SpeedButton6 && LastRun != CounterModel1)
        Summary += QStringLiteral(" Find counter-model (Counter) may show why.");
    return Summary;
}

void TEditForm::LinearClick(QObject* Sender)
{
    if (RunningForm || RunLocked) {
        // One proof at a time: the run state is the whole application's.
        emit StatusMessage(QStringLiteral("A proof is running in another window: stop it first."));
        return;
    }
    TStrategy Strategy = TStrategy::Linear;
    RunName = QStringLiteral("Linear search");
    if (Sender == SpeedButton3 || Sender == Breadthfirst1) {
        Strategy = TStrategy::Breadthfirst1;
        RunName = QStringLiteral("Breadth-first search");
    } else if (Sender == SpeedButton4 || Sender == ModifLinear1) {
        Strategy = TStrategy::ModifLinear1;
        RunName = QStringLiteral("Modified linear search");
    } else if (Sender == SpeedButton5 || Sender == BestFirst1) {
        Strategy = TStrategy::BestFirst1;
        RunName = QStringLiteral("Best-first search");
    } else if (Sender == Automatic1) {
        Strategy = TStrategy::Auto;
        RunName = QStringLiteral("Automatic");
    }
    const bool Models = Sender == SpeedButton6 || Sender == CounterModel1;
    if (Models)
        RunName = QStringLiteral("Counter-model search");
    LastRun = Sender;
    if (ReportStrayByte() || !ReadTptpText()) {
        ReadDerivation();
        SetResult(RunSummary());
        return;
    }
    Outcomes.clear();
    ReadDerivation();
    SyntaxError = false;
    RunningForm = this;
    SetRunLocked(true);
    emit RunStarted();
    FollowOutput = true;
    LastYield = std::chrono::steady_clock::now();
    // The derivation of the first refutation is kept, for the proof graph.
    RecordProofs = true;
    const TRunOutcome Outcome =
        Models ? RunModelSearch(PLProgram, 8) : RunProgram(PLProgram, Strategy);
    RecordProofs = false;
    FlushOutput();
    ShowPendingMessage(); // a message that no place followed
    TptpText.clear();
    RunningForm = nullptr;
    SetRunLocked(false);
    ReadDerivation();
    if (Outcome == TRunOutcome::OutOfMemory)
        Dialogs().Message(this,
                          QStringLiteral("Out of memory: the proof run was stopped and its "
                                         "formulas were released."),
                          TDialogs::Warning);
    QString Summary = RunSummary();
    if (Outcome == TRunOutcome::Stopped && !Summary.contains(QStringLiteral("stopped")))
        Summary = RunName + QStringLiteral(": stopped.");
    SetResult(Summary);
    if (CloseAfterRun) {
        CloseAfterRun = false;
        if (QWidget* Window = parentWidget())
            Window->close();
        else
            close();
    }
    emit RunFinished();
}

void TEditForm::SetResult(const QString& Text)
{
    Result = Text;
    emit ResultChanged();
}

void TEditForm::RunAgainClick()
{
    LinearClick(LastRun ? LastRun : SpeedButton2);
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
        Dialogs().Message(this, QString::fromStdString(Limit.Message), TDialogs::Warning);
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
    Undo1->setEnabled(Memo->document()->isUndoAvailable());
    Redo1->setEnabled(Memo->document()->isRedoAvailable());
}

void TEditForm::SetCaption(const QString& Path)
{
    setWindowTitle(QFileInfo(Path).fileName() + QStringLiteral("[*]"));
    emit CaptionChanged();
}

QString TEditForm::Caption() const
{
    QString Title = windowTitle();
    Title.replace(QStringLiteral("[*]"),
                  Editor->document()->isModified() ? QStringLiteral("*") : QString());
    return Title;
}

bool TEditForm::ConfirmClose()
{
    if (Discard || !Editor->document()->isModified())
        return true;
    // The question is about this window: the user sees it first.
    if (auto* Sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        if (Sub->isMinimized())
            Sub->setWindowState(Sub->windowState() & ~Qt::WindowMinimized);
        if (QMdiArea* Area = Sub->mdiArea())
            Area->setActiveSubWindow(Sub);
    }
    if (QWidget* Top = window(); Top->isMinimized())
        Top->setWindowState(Top->windowState() & ~Qt::WindowMinimized);
    switch (Dialogs().Question(this, QStringLiteral("Save changes to %1?").arg(FileName))) {
    case TDialogs::Cancel:
        return false;
    case TDialogs::Yes:
        // A save that was cancelled or failed keeps the window and its text.
        return Save1Click();
    case TDialogs::No:
        Discard = true;
        break;
    }
    return true;
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
    if (!ConfirmClose()) {
        Event->ignore();
        return;
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
