#include "support.h"

#include "model/runstate.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QThread>

void TTestDialogs::Message(QWidget*, const QString& Text, TIcon Icon)
{
    Messages.push_back(Text);
    Icons.push_back(Icon);
    if (OpenMilliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(OpenMilliseconds));
}

bool TTestDialogs::InputText(QWidget*, const QString&, const QString&, QString& Text)
{
    if (Inputs.empty())
        return false; // cancelled
    Text = Take(Inputs, QString());
    return true;
}

void Window::SetUp()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    WidgetsBefore = QApplication::allWidgets().size();
    SetDialogs(&Fake);
    DCFLimit = 10;
    Frame = new TFrameForm;
    Frame->show();
    Editor = Frame->New1Click();
    Folder = QDir::tempPath() + QStringLiteral("/nivar-ui-") +
             ::testing::UnitTest::GetInstance()->current_test_info()->name();
    QDir(Folder).removeRecursively();
    QDir().mkpath(Folder);
}

void Window::TearDown()
{
    for (TEditForm* E : Frame->Editors())
        E->Editor->document()->setModified(false);
    delete Frame;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetDialogs(nullptr);
    DCFLimit = 10;
    QDir(Folder).removeRecursively();
    EXPECT_EQ(QApplication::allWidgets().size(), WidgetsBefore) << "widgets left behind";
}

QStringList Window::Captions(const QMenu* Menu)
{
    QStringList Out;
    for (QAction* A : Menu->actions())
        Out << (A->isSeparator() ? QStringLiteral("-") : A->text());
    return Out;
}

void Window::Type(const std::string& Utf8)
{
    Editor->Editor->clear();
    Editor->Editor->insertPlainText(Text(Utf8));
}

QString Window::Text(const std::string& Utf8)
{
    TFileFormat Format;
    return DocumentFromBytes(QByteArray::fromStdString(Utf8), Format);
}

QStringList Window::Lines(TEditForm* E)
{
    QStringList Out;
    for (const QString& L : E->Output->toPlainText().split('\n'))
        Out << ClipboardFromDocument(L);
    return Out;
}

QString Window::WriteFile(const QString& Name, const QByteArray& Bytes)
{
    const QString Path = Folder + QChar('/') + Name;
    QFile Out(Path);
    if (Out.open(QIODevice::WriteOnly))
        Out.write(Bytes);
    return Path;
}

int main(int Argc, char** Argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(Argc, Argv);
    ::testing::InitGoogleTest(&Argc, Argv);
    return RUN_ALL_TESTS();
}
