// The editor window: one document, its report, its prover and its option menus.
#pragma once

#include "model/formula.h"
#include "model/owner.h"
#include "ui/document.h"

#include <QPlainTextEdit>
#include <QWidget>
#include <chrono>
#include <map>

class QAction;
class QMenu;
class QToolButton;
class TFrameForm;

// A text pane of the editor window: symbol bytes in, Unicode symbols on the clipboard.
class TMemo : public QPlainTextEdit {
public:
    explicit TMemo(QWidget* Parent);

protected:
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* Source) const override;
    void insertFromMimeData(const QMimeData* Source) override;
};

class TEditForm : public QWidget, public TProgramOwner {
    Q_OBJECT

public:
    explicit TEditForm(TFrameForm* Frame);
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

    void OpenDocument(const QString& Path);
    bool Save1Click();
    bool Saveas1Click();
    void LinearClick(QObject* Sender);
    void SpeedButton1Click();
    void SRLimitClick();
    void Edit1Click();
    // The menus this window puts on the frame's menu bar, in order.
    QList<QMenu*> Menus() const;
    QAction* OptionAction(TOption Item) const { return Options.at(Item); }
    bool Running() const { return RunningForm == this; }
    // The window whose proof run is in progress, if any: one run at a time.
    static TEditForm* RunningForm;

    TFrameForm* Frame;
    QWidget* Panel1;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton3;
    QToolButton* SpeedButton4;
    TMemo* Editor;
    TMemo* Output;
    QMenu* File1;
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

    QString FileName;
    TPLProgram* PLProgram;
    std::string EditorText;
    TFileFormat Format; // how the document was read, and is written

protected:
    void closeEvent(QCloseEvent* Event) override; // the close question
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void BuildMenus();
    QAction* NewAction(QMenu* Menu, const QString& Caption);
    TMemo* FocusedMemo() const;
    void SetCaption(const QString& Path);
    void FlushOutput();
    void ShowRunning(bool Running);

    std::map<TOption, QAction*> Options;
    QStringList PendingLines;
    std::chrono::steady_clock::time_point LastYield;
    bool CloseAfterRun = false;
};
