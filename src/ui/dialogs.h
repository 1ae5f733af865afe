// The dialogs the windows show, behind one interface so that tests can answer them.
#pragma once

#include <QFont>
#include <QString>

class QWidget;

class TDialogs {
public:
    enum TAnswer { Yes, No, Cancel };
    enum TIcon { Information, Warning };
    virtual ~TDialogs() = default;
    // Modal, one button; errors carry the warning icon.
    virtual void Message(QWidget* Parent, const QString& Text, TIcon Icon) = 0;
    // Modal, Yes, No and Cancel.
    virtual TAnswer Question(QWidget* Parent, const QString& Text) = 0;
    // An empty name when the user cancels.
    virtual QString OpenFileName(QWidget* Parent) = 0;
    virtual QString SaveFileName(QWidget* Parent, const QString& Proposed,
                                 const QString& Filter) = 0;
    // False when the user cancels.
    virtual bool InputText(QWidget* Parent, const QString& Caption, const QString& Prompt,
                           QString& Text) = 0;
    virtual bool ChooseFont(QWidget* Parent, QFont& Font) = 0;
};

// The dialogs in use: the platform's own unless a test installed others.
TDialogs& Dialogs();
void SetDialogs(TDialogs* Replacement);

// The filters of the save dialog of documents and of the open dialog, which also offers TPTP
// problems.
extern const QString DocumentFilter;
extern const QString OpenFilter;
