// The frame window: the multi-document area with its editor windows, and the start-up menus.
#pragma once

#include <QMainWindow>

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
    void Exit1Click();
    void Tile1Click();
    void Cascade1Click();
    void Arrangeicons1Click();
    void About1Click();

    TEditForm* ActiveEditor() const;
    QList<TEditForm*> Editors() const;
    // Called by an editor window when its proof run has ended.
    void RunEnded();

    QMdiArea* MdiArea;
    QMenu* File1;
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

protected:
    void closeEvent(QCloseEvent* Event) override;

private:
    void MergeMenus();
    void ListWindows();

    QList<QAction*> WindowList;
    bool ExitAfterRun = false;
};
