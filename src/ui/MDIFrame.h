// The frame window: the multi-document area with its editor windows, which it owns and wires,
// the start-up menus and the status bar.
#pragma once

#include <QMainWindow>

class QLabel;
class QMdiArea;
class QMenu;
class TEditForm;
class TAboutBox;

class TFrameForm : public QMainWindow {
    Q_OBJECT

public:
    TFrameForm();
    ~TFrameForm() override;

    TEditForm* New1Click();
    void Open1Click();
    // A new editor window holding the file: Open never reuses a window.
    TEditForm* OpenFile(const QString& Path);
    // A new, untitled window holding a copy of the example.
    TEditForm* OpenExample(const QString& Path);
    void Exit1Click();
    void Tile1Click();
    void Cascade1Click();
    void Arrangeicons1Click();
    void About1Click();

    TEditForm* ActiveEditor() const;
    QList<TEditForm*> Editors() const;
    // The examples the File menus offer; the folder found beside the program by default.
    void SetExamplesFolder(const QString& Folder);
    // The title the frame shows: the active window's caption with its unsaved mark.
    QString Title() const;
    // The active window's last result, in its part of the status bar that stays.
    QString Result() const;

    QMdiArea* MdiArea = nullptr;
    QMenu* File1;
    QMenu* Examples1;
    QMenu* Window1;
    QMenu* Help1;
    QAction* New1;
    QAction* Open1;
    QAction* Exit1;
    QAction* Tile1;
    QAction* Cascade1;
    QAction* Arrangeicons1;
    QAction* About1;
    TAboutBox* AboutBox = nullptr;
    QLabel* ResultLabel = nullptr;

protected:
    void closeEvent(QCloseEvent* Event) override;
    bool event(QEvent* Event) override;

private:
    void Wire(TEditForm* Editor);
    // Base, or Numbered with 2, 3... where an open window has that name already.
    QString FreeName(const QString& Base, const QString& Numbered) const;
    void FillExamples(QMenu* Menu);
    void MergeMenus();
    void ListWindows();
    void ShowTitle();
    void LockRuns(bool Locked);
    void RunEnded();
    void ShowResult();

    QList<QAction*> WindowList;
    QString ExamplesDir;
    bool ExitAfterRun = false;
    bool SettingTitle = false;
};
