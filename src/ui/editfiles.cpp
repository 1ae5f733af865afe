// The documents of the editor window: opening (a TPTP problem read into a new document),
// saving, and the reading of a TPTP text before a run.
#include "language/tptp.h"
#include "ui/MDIEdit.h"
#include "ui/dialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextBlock>

bool TEditForm::ReadTptpText()
{
    TptpText.clear();
    TptpPlaces.clear();
    const std::string Text = ProverText(Editor->document()->toRawText());
    if (!LooksLikeTptp(Text))
        return true;
    // Read as on Open: includes beside the file, then under $TPTP; equality with its axioms.
    const std::string Path = Saved ? FileName.toStdString() : std::string("untitled.p");
    TTptpDocument Read = ReadTptpDocument(Path, Text, qgetenv("TPTP").toStdString(), true,
                                          "% Read from the TPTP problem.\n");
    const TTptpProblem& Problem = Read.Problem;
    if (!Problem.Error.empty()) {
        Dialogs().Message(this,
                          QStringLiteral("The TPTP problem cannot be read:\n%1")
                              .arg(QString::fromStdString(Problem.Error)),
                          TDialogs::Warning);
        if (Problem.ErrorFile == Path)
            ShowTptpPlace(Problem.ErrorLine, Problem.ErrorColumn);
        Outcomes.clear();
        SyntaxError = true;
        ErrorLine = static_cast<std::int32_t>(Problem.ErrorLine);
        ErrorColumn = static_cast<std::int32_t>(Problem.ErrorColumn);
        return false;
    }
    TptpText = std::move(Read.Text);
    TptpPlaces = std::move(Read.Places);
    return true;
}

void TEditForm::ShowTptpPlace(std::size_t Line, std::size_t Column)
{
    QTextCursor Cursor(Editor->document()->findBlockByNumber(static_cast<int>(Line) - 1));
    Cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor,
                        std::max(0, static_cast<int>(Column) - 1));
    Editor->setTextCursor(Cursor);
    Editor->setFocus();
    Editor->ensureCursorVisible();
}

namespace {
// The whole file; false with nothing read when it cannot be read.
bool ReadWhole(const QString& Path, QByteArray& Bytes)
{
    QFile File(Path);
    if (QFileInfo(Path).isDir() || !File.open(QIODevice::ReadOnly))
        return false;
    Bytes = File.readAll();
    return File.error() == QFileDevice::NoError;
}
} // namespace

void TEditForm::ShowEditState()
{
    Editor->moveCursor(QTextCursor::Start);
    Editor->document()->setModified(false);
    const QString Raw = Editor->document()->toRawText();
    const TStrayByte Stray = FindStrayByte(Raw, Format);
    const QString Note = Stray.Index >= 0 ? QStringLiteral("Line %1, column %2: %3")
                                                .arg(Stray.Line)
                                                .arg(Stray.Column)
                                                .arg(Stray.Message)
                                          : ForeignCharacterNote(Raw);
    if (!Note.isEmpty())
        emit StatusMessage(Note);
}

bool TEditForm::ReportStrayByte()
{
    const TStrayByte Stray = FindStrayByte(Editor->document()->toRawText(), Format);
    if (Stray.Index < 0)
        return false;
    // No proof reads the document while it holds a byte that is not UTF-8: the error the
    // console gives, at the byte.
    Dialogs().Message(this,
                      Stray.Message +
                          QStringLiteral("\nLine %1, column %2.").arg(Stray.Line).arg(Stray.Column),
                      TDialogs::Warning);
    QTextCursor Cursor(Editor->document());
    Cursor.setPosition(static_cast<int>(Stray.Index));
    Editor->setTextCursor(Cursor);
    Editor->setFocus();
    Editor->ensureCursorVisible();
    Outcomes.clear();
    SyntaxError = true;
    ErrorLine = Stray.Line;
    ErrorColumn = Stray.Column;
    return true;
}

void TEditForm::OpenDocument(const QString& Path)
{
    QByteArray Bytes;
    const bool Read = ReadWhole(Path, Bytes);
    const bool Tptp = Read && (Path.endsWith(QStringLiteral(".p")) ||
                               LooksLikeTptp(std::string(Bytes.constData(), Bytes.size())));
    TTptpProblem Problem;
    if (Tptp && OpenTptp(Path, Bytes, Problem))
        return;
    // The close question names the whole path, also of a file given by a relative one.
    FileName = QFileInfo(Path).absoluteFilePath();
    Saved = true;
    SetCaption(Path);
    if (!Read) {
        Dialogs().Message(this, QStringLiteral("Cannot open file %1").arg(FileName),
                          TDialogs::Warning);
        return;
    }
    Editor->setPlainText(DocumentFromBytes(Bytes, Format));
    ShowEditState();
    if (!Tptp)
        return;
    // A problem that cannot be read opens as it is, the caret at its fault.
    if (Problem.ErrorFile != FileName.toStdString())
        return;
    ShowTptpPlace(Problem.ErrorLine, Problem.ErrorColumn);
}

bool TEditForm::OpenTptp(const QString& Path, const QByteArray& Bytes, TTptpProblem& Problem)
{
    // Equality comes without axioms: "Automatic" reads = as equality.
    TTptpDocument Read = ReadTptpDocument(
        QFileInfo(Path).absoluteFilePath().toStdString(),
        std::string(Bytes.constData(), static_cast<std::size_t>(Bytes.size())),
        qgetenv("TPTP").toStdString(), false,
        "% Read from the TPTP problem " + QFileInfo(Path).fileName().toStdString() + ".\n");
    Problem = Read.Problem;
    if (!Problem.Error.empty()) {
        Dialogs().Message(this,
                          QStringLiteral("The TPTP problem cannot be read:\n%1")
                              .arg(QString::fromUtf8(Problem.Error.c_str())),
                          TDialogs::Warning);
        return false;
    }
    Editor->setPlainText(DocumentText(Read.Text));
    ShowEditState();
    QString Note = QStringLiteral("%1 read as a new document").arg(QFileInfo(Path).fileName());
    if (Problem.UsesEquality)
        Note += QStringLiteral("; it uses equality, which \"Automatic\" reads as equality");
    if (!Problem.HasConjecture)
        Note += QStringLiteral("; it has no conjecture: best-first search refutes its axioms");
    emit StatusMessage(Note + QChar('.'));
    return true;
}

bool TEditForm::OpenCopy(const QString& Path)
{
    QByteArray Bytes;
    if (!ReadWhole(Path, Bytes)) {
        Dialogs().Message(this, QStringLiteral("Cannot open file %1").arg(Path), TDialogs::Warning);
        return false;
    }
    Editor->setPlainText(DocumentFromBytes(Bytes, Format));
    ShowEditState();
    return true;
}

bool TEditForm::Save1Click()
{
    if (!Saved)
        return Saveas1Click();
    // Written aside and renamed: a failed save leaves the old file whole.
    QSaveFile File(FileName);
    const QByteArray Bytes = BytesFromDocument(Editor->document()->toRawText(), Format);
    if (!File.open(QIODevice::WriteOnly) || File.write(Bytes) != Bytes.size() || !File.commit()) {
        Dialogs().Message(this, QStringLiteral("Cannot create file %1").arg(FileName),
                          TDialogs::Warning);
        return false;
    }
    Editor->document()->setModified(false);
    return true;
}

bool TEditForm::Saveas1Click()
{
    const QString Name = Dialogs().SaveFileName(this, FileName, DocumentFilter);
    if (Name.isEmpty())
        return false;
    FileName = Name;
    Saved = true;
    SetCaption(Name);
    return Save1Click();
}

void TEditForm::SetUntitledName(const QString& Name)
{
    FileName = Name;
    Saved = false;
    setWindowTitle(Name + QStringLiteral("[*]"));
    emit CaptionChanged();
}
