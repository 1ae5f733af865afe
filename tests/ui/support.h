// Desktop test support: dialogs the test answers, and a frame with one editor window.
#pragma once

#include "ui/MDIEdit.h"
#include "ui/MDIFrame.h"
#include "ui/dialogs.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

class QMenu;

// Dialogs answered by the test, never left blocking.
class TTestDialogs : public TDialogs {
public:
    void Message(QWidget*, const QString& Text, TIcon Icon) override;
    TAnswer Question(QWidget*, const QString& Text) override
    {
        Questions.push_back(Text);
        if (OnQuestion)
            OnQuestion();
        return Take(Answers, Cancel);
    }
    QString OpenFileName(QWidget*) override { return Take(Names, QString()); }
    QString SaveFileName(QWidget*, const QString&, const QString& Filter) override
    {
        Filters.push_back(Filter);
        return Take(Names, QString());
    }
    bool InputText(QWidget*, const QString&, const QString&, QString& Text) override;
    bool ChooseFont(QWidget*, QFont& Font) override
    {
        if (FontAnswer.family().isEmpty())
            return false;
        Font = FontAnswer;
        return true;
    }

    template <class T> static T Take(std::deque<T>& Queue, T Default)
    {
        if (Queue.empty())
            return Default;
        T Front = Queue.front();
        Queue.pop_front();
        return Front;
    }
    std::vector<QString> Messages;
    std::vector<TIcon> Icons;
    std::vector<QString> Questions;
    std::deque<TAnswer> Answers;
    std::deque<QString> Names;
    std::deque<QString> Inputs;
    std::vector<QString> Filters;     // of the save dialogs asked
    std::function<void()> OnQuestion; // called while a question stands
    QFont FontAnswer{QString()};      // the font chosen; none: the dialog is cancelled
    int OpenMilliseconds = 0;         // how long a message box stands open
};

// A frame with one new editor window; every widget made in a test is gone after it.
class Window : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static QStringList Captions(const QMenu* Menu);
    // The text as if typed: the document is modified.
    void Type(const std::string& Utf8);
    static QString Text(const std::string& Utf8);
    // The report of a window, symbols as Unicode.
    static QStringList Lines(TEditForm* E);
    // Writes Bytes to a file of the test's own and returns its path.
    QString WriteFile(const QString& Name, const QByteArray& Bytes);

    TTestDialogs Fake;
    TFrameForm* Frame = nullptr;
    TEditForm* Editor = nullptr;
    qsizetype WidgetsBefore = 0;
    QString Folder;
};
