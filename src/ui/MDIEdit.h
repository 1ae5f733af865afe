// The editor window: one document, its report, its prover and its option menus. The frame
// owns and wires the windows; a window tells the frame what happened through its signals.
#pragma once

#include "language/tptp.h"
#include "model/formula.h"
#include "model/owner.h"
#include "ui/document.h"

#include <QPlainTextEdit>
#include <QSyntaxHighlighter>
#include <QWidget>
#include <chrono>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QToolButton;

// The logical symbols of a text pane are drawn by the symbol font whatever font the pane has:
// another font draws the symbol bytes as the Latin-1 letters they also are (ö, ý).
class TSymbolFace : public QSyntaxHighlighter {
public:
    explicit TSymbolFace(QTextDocument* Document);

protected:
    void highlightBlock(const QString& Text) override;
};

// A text pane of the editor window: symbol bytes in, Unicode on the clipboard.
class TMemo : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TMemo(QWidget* Parent);

signals:
    // Pasted text held a character that is kept as its UTF-8 bytes.
    void ForeignPasted(const QString& Note);

protected:
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* Source) const override;
    void insertFromMimeData(const QMimeData* Source) override;
};

class TEditForm : public QWidget, public TProgramOwner {
    Q_OBJECT

public:
    explicit TEditForm(QWidget* Parent = nullptr);
    ~TEditForm() override;

    // What the prover asks of its window.
    bool Checked(TOption Item) const override;
    std::string GetEditorText() override;
    void ClearOutput() override;
    void AddLine(const std::string& Line) override;
    void SetCaret(std::int32_t Index) override;
    void ShowMessage(const std::string& Text) override;
    void ProcessMessages() override;
    void FocusOutput() override;
    bool PollStop() override;
    void QueryEnded(const TQueryOutcome& Outcome) override;

    // The file in this window; a TPTP problem (a .p file, or a text that begins as one) is
    // read into a new, untitled document in Nivar's language instead.
    void OpenDocument(const QString& Path);
    // The text of the file as a new, untitled document; false when it cannot be read.
    bool OpenCopy(const QString& Path);
    bool Save1Click();
    bool Saveas1Click();
    void LinearClick(QObject* Sender);
    // F9: the strategy this window used last (linear search at first).
    void RunAgainClick();
    void SpeedButton1Click();
    void SRLimitClick();
    // A window that draws the derivation of the report's first refutation.
    void ProofGraph1Click();
    void Edit1Click();
    // The menus this window puts on the frame's menu bar, in order.
    QList<QMenu*> Menus() const;
    QAction* OptionAction(TOption Item) const { return Options.at(Item); }
    bool Running() const { return RunningForm == this; }
    // While a proof runs in any window, no window starts another; Stop stops it from any.
    void SetRunLocked(bool Locked);
    // The file name, and "*" while the text has unsaved changes.
    QString Caption() const;
    // A document never saved: FileName is the name it is known by ("Untitled", "Untitled 2",
    // "family.txt (example)"), which the frame keeps apart from the other windows' names.
    bool Untitled() const { return !Saved; }
    void SetUntitledName(const QString& Name);
    // The close question, its window brought forward first: true when the window may close
    // (saved, or its changes to be discarded), false when the user cancelled.
    bool ConfirmClose();
    // The answers of an Exit that was cancelled no longer hold: the next close asks again.
    void ForgetAnswer() { Discard = false; }
    // The window whose proof run is in progress, if any: one run at a time.
    static TEditForm* RunningForm;

    QWidget* Panel1;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton3;
    QToolButton* SpeedButton4;
    QToolButton* SpeedButton5; // "Best"
    QToolButton* SpeedButton6; // "Counter": the counter-model search
    TMemo* Editor;
    TMemo* Output;
    QMenu* File1;
    QMenu* Examples1; // filled by the frame
    QMenu* Edit1;
    QMenu* Output1;
    QMenu* Provetheorem1;
    QMenu* Unifiers1;
    QMenu* PopupMenu1;
    QAction* New1;
    QAction* Open1;
    QAction* Close1;
    QAction* Save1;
    QAction* Saveas1;
    QAction* Exit1;
    QAction* Undo1;
    QAction* Redo1;
    QAction* Cut1;
    QAction* Copy1;
    QAction* Paste1;
    QAction* Delete1;
    QAction* Selectall1;
    QAction* ClrOutput;
    QAction* Font1;
    QAction* Cut2;
    QAction* Copy2;
    QAction* Paste2;
    QAction* Stop1;
    QAction* SRLimit;
    QAction* Linear;
    QAction* Breadthfirst1;
    QAction* ModifLinear1;
    QAction* BestFirst1;
    QAction* Automatic1;
    QAction* CounterModel1; // Find counter-model
    QAction* RunAgain1;
    QAction* ProofGraph1; // Output > Proof graph...: after a refutation

    QString FileName;
    bool Saved = false; // FileName is a file's path
    TPLProgram* PLProgram;
    std::string EditorText;
    TFileFormat Format; // how the document was read, and is written

    // The outcome of this window's last run, as the status bar keeps it while the window is
    // the active one; empty before the first.
    QString Result;

signals:
    void RunStarted();
    void RunFinished();
    void CaptionChanged();
    void StatusMessage(const QString& Text);
    void ResultChanged();

protected:
    void closeEvent(QCloseEvent* Event) override; // the close question
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void BuildMenus();
    void BuildFileMenu();
    void BuildEditMenus();
    void BuildProveMenus();
    void BuildOptionItems();
    QAction* NewAction(QMenu* Menu, const QString& Caption);
    TMemo* FocusedMemo() const;
    void SetCaption(const QString& Path);
    void FlushOutput();
    void ShowEditState();
    void SetResult(const QString& Text);
    // The message a syntax error left, with the text Where after it.
    void ShowPendingMessage(const QString& Where = QString());
    // A byte of the text that is not UTF-8 is the error of a run: told, the caret at it.
    bool ReportStrayByte();
    // A text that is a TPTP problem is read as one before a run (TptpText, and where each of its
    // formulas stands); false, the error told and the caret at it, when it cannot be read.
    bool ReadTptpText();
    void ShowTptpPlace(std::size_t Line, std::size_t Column);
    // False, the user told why, when the problem cannot be read.
    bool OpenTptp(const QString& Path, const QByteArray& Bytes, TTptpProblem& Problem);
    QString RunSummary() const;
    // The derivation the report shows, and the Proof graph item enabled or told why not.
    void ReadDerivation();

    std::map<TOption, QAction*> Options;
    QStringList PendingLines;
    std::chrono::steady_clock::time_point LastYield;
    bool CloseAfterRun = false;
    bool Discard = false; // the user answered No: the window closes without saving
    bool RunLocked = false;
    // The output pane keeps its last line in view until the user scrolls away.
    bool FollowOutput = true;
    bool Scrolling = false;
    QObject* LastRun = nullptr;
    QString RunName;
    std::vector<TQueryOutcome> Outcomes;
    std::vector<TProofStep> Derivation; // of the report's first refutation
    QString PendingMessage;             // of a syntax error, until its place is known
    std::string TptpText; // the document the TPTP text of the editor reads into, during a run
    std::vector<TTptpPlace> TptpPlaces;
    bool SyntaxError = false;
    std::int32_t ErrorLine = 0;
    std::int32_t ErrorColumn = 0;
};
