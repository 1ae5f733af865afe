// Documents as bytes: every file opens, and saving it unchanged gives it back.
#include "model/symbols.h"
#include "support.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QToolButton>
#include <cstring>
#include <random>

namespace {
class Documents : public Window {};
TEST_F(Documents, DocumentsAreBytes)
{
    QTemporaryDir Dir;
    QByteArray All;
    for (int B = 1; B < 256; ++B)
        All.append(static_cast<char>(B));
    All.append("\r\nend\rx\n");
    const QByteArray CRLF("p(a).\r\n?- p(a).\r\n");
    const QByteArray Unicode("p(a).\n\xE2\x88\x80X [p(X) \xE2\x86\x92 q(X)].\n");
    for (const QByteArray& Bytes : {All, CRLF, Unicode}) {
        const QString Path = Dir.filePath("doc.txt");
        QFile Out(Path);
        ASSERT_TRUE(Out.open(QIODevice::WriteOnly));
        Out.write(Bytes);
        Out.close();
        TEditForm* Doc = Frame->OpenFile(Path);
        EXPECT_EQ(Doc->FileName, Path);
        EXPECT_EQ(Doc->windowTitle(), "doc.txt[*]");
        EXPECT_FALSE(Doc->Editor->document()->isModified());
        Doc->Editor->document()->setModified(true);
        QFile::remove(Path);
        ASSERT_TRUE(Doc->Save1Click());
        QFile In(Path);
        ASSERT_TRUE(In.open(QIODevice::ReadOnly));
        EXPECT_EQ(In.readAll(), Bytes);
        Doc->parentWidget()->close(); // the next opens the file anew
        QApplication::processEvents();
    }
    TEditForm* Doc = Frame->OpenFile(Dir.filePath("doc.txt"));
    EXPECT_EQ(Doc->GetEditorText()[6], Sym::Ch(Sym::ForAll)) << "UTF-8 symbols are symbol bytes";
    TEditForm* Missing = Frame->OpenFile(Dir.filePath("missing.txt"));
    EXPECT_EQ(Fake.Messages.back(), "Cannot open file " + Dir.filePath("missing.txt"));
    EXPECT_EQ(Missing->windowTitle(), "missing.txt[*]");
    Missing->FileName = Dir.filePath("no/such/folder/x.txt"); // as if saved there
    EXPECT_FALSE(Missing->Save1Click());
    EXPECT_EQ(Fake.Messages.back(), "Cannot create file " + Missing->FileName);
}

// Documents of every kind of byte sequence: random bytes, and UTF-8 documents that mix the
// symbols with letters of other languages, stray bytes, line endings and a byte order mark.
std::vector<QByteArray> MixedDocuments()
{
    std::mt19937 Random(20261208);
    std::vector<QByteArray> Out;
    for (int N = 0; N < 300; ++N) {
        QByteArray Bytes;
        const int Length = static_cast<int>(Random() % 64);
        for (int I = 0; I < Length; ++I)
            Bytes.append(static_cast<char>(Random() % 256));
        Out.push_back(Bytes);
    }
    const char* Pieces[] = {"p(a). ", "∀",  "∃", "¬",  "∧",    "∨",    "→",  "↔",  "≤",
                            "≥",      "≠",  "ü", "ö",  "ß",    "ä",    "ç",  "ó",  "ô",
                            "á",      "÷",  "ý", "€",  "第",   "😀",    "\"", "\n", "\r\n",
                            "\r",     "\t", " ", "\0", "\xFF", "\xC3", "X",  ".",  "?- "};
    for (int N = 0; N < 300; ++N) {
        QByteArray Bytes = N % 7 == 0 ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        const int Length = static_cast<int>(Random() % 24);
        for (int I = 0; I < Length; ++I) {
            const char* Piece = Pieces[Random() % std::size(Pieces)];
            Bytes.append(Piece, Piece[0] == 0 ? 1 : static_cast<qsizetype>(std::strlen(Piece)));
        }
        Out.push_back(Bytes);
    }
    return Out;
}

TEST_F(Documents, EveryFileOpensAndComesBackByteForByte)
{
    TMemo* Memo = Editor->Editor;
    for (const QByteArray& Bytes : MixedDocuments()) {
        SCOPED_TRACE(Bytes.toHex().toStdString());
        TFileFormat Format;
        const QString Text = DocumentFromBytes(Bytes, Format);
        EXPECT_EQ(BytesFromDocument(Text, Format), Bytes);
        // Through the text pane, as a window holds it.
        Memo->setPlainText(Text);
        EXPECT_EQ(BytesFromDocument(Memo->document()->toRawText(), Format), Bytes);
    }
}

// A letter of another language opens as its UTF-8 bytes, shown as the Latin-1 characters
// they are: visibly foreign, never a connective; the prover reads it inside a string.
TEST_F(Documents, ALetterOfAnotherLanguageIsKeptAsItsBytes)
{
    const QByteArray File("name(\"für\").\n∀X [p(X)].\n?- name(X).\n");
    TEditForm* Doc = Frame->OpenFile(WriteFile("fur.txt", File));
    const QString Shown = Doc->Editor->toPlainText();
    EXPECT_TRUE(Shown.startsWith(QStringLiteral("name(\"f\u00C3\u00BCr\").")))
        << Shown.toStdString();
    EXPECT_EQ(Shown[14], QChar(Sym::ForAll)) << "the UTF-8 symbol is the symbol byte";
    EXPECT_EQ(Doc->Format.Utf8, true);
    EXPECT_EQ(Frame->statusBar()->currentMessage().toStdString(),
              "Line 1, column 8: \"ü\" is no symbol of the formula language; it is kept as its "
              "UTF-8 bytes \"Ã¼\", which only a string may hold.");
    Doc->SpeedButton2->click();
    EXPECT_TRUE(Lines(Doc).contains("X = \"für\".")) << Lines(Doc).join('|').toStdString();
    Doc->Editor->document()->setModified(true);
    ASSERT_TRUE(Doc->Save1Click());
    QFile In(Doc->FileName);
    ASSERT_TRUE(In.open(QIODevice::ReadOnly));
    EXPECT_EQ(In.readAll(), File);
    // Outside a string it is an error at its place.
    Type("p(ü). ");
    Editor->SpeedButton2->click();
    EXPECT_EQ(Editor->Editor->textCursor().position(), 2) << "the caret stands before ü";
}

// A UTF-8 document with one stray byte is read as UTF-8 as the console reads it: the symbols
// are symbols, the byte one character of its own that is saved back as the byte; a proof
// reports the console's error at the byte, and works once the byte is gone.
TEST_F(Documents, AStrayByteIsOneCharacterAndTheConsolesError)
{
    const QByteArray File("p(a). % über\n∀X [p(X) → q(X)].\n?- q(a).\n\xFF\n");
    TEditForm* Doc = Frame->OpenFile(WriteFile("stray.txt", File));
    EXPECT_TRUE(Doc->Format.Utf8);
    const QStringList Shown = Doc->Editor->toPlainText().split(QChar('\n'));
    ASSERT_EQ(Shown.size(), 5);
    EXPECT_EQ(Shown[1][0], QChar(Sym::ForAll)) << "the UTF-8 symbol is the symbol byte";
    EXPECT_EQ(Shown[3].size(), 1) << "the stray byte is one character";
    EXPECT_EQ(Frame->statusBar()->currentMessage().toStdString(),
              "Line 4, column 1: Byte 0xFF is not UTF-8, though the document writes its symbols "
              "in UTF-8.");
    Doc->Editor->document()->setModified(true);
    ASSERT_TRUE(Doc->Save1Click());
    QFile In(Doc->FileName);
    ASSERT_TRUE(In.open(QIODevice::ReadOnly));
    EXPECT_EQ(In.readAll(), File) << "saved back byte for byte";
    In.close();
    Fake.Messages.clear();
    Doc->SpeedButton2->click();
    EXPECT_EQ(Fake.Messages, (std::vector<QString>{"Byte 0xFF is not UTF-8, though the document "
                                                   "writes its symbols in UTF-8.\nLine 4, "
                                                   "column 1."}));
    EXPECT_FALSE(Lines(Doc).contains("[R0&F0] :  YES."));
    EXPECT_EQ(Doc->Editor->textCursor().blockNumber(), 3) << "the caret is at the byte";
    // Deleted in the editor, the byte is gone: the proof runs.
    QTextCursor Cursor = Doc->Editor->textCursor();
    Cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    Cursor.removeSelectedText();
    Doc->SpeedButton2->click();
    EXPECT_TRUE(Lines(Doc).contains("[R0&F0] :  YES.")) << Lines(Doc).join('|').toStdString();
}

TEST_F(Documents, PasteFollowsTheSameRule)
{
    TMemo* Memo = Editor->Editor;
    Memo->setFocus();
    Memo->setPlainText("q. ");
    Memo->moveCursor(QTextCursor::End);
    auto* Data = new QMimeData;
    Data->setText(QStringLiteral("p(\"für\") ∨ ∀X r(X). "));
    QApplication::clipboard()->setMimeData(Data);
    Memo->paste();
    const std::string Bytes = ProverText(Memo->document()->toRawText());
    EXPECT_EQ(Bytes, "q. p(\"f\xC3\xBCr\") " + std::string(1, Sym::Ch(Sym::Or)) + " " +
                         std::string(1, Sym::Ch(Sym::ForAll)) + "X r(X). ")
        << "never f∨r";
    EXPECT_TRUE(Frame->statusBar()->currentMessage().startsWith("Line 1, column 8: \"ü\""))
        << Frame->statusBar()->currentMessage().toStdString();
    // Copied out, the text is Unicode again.
    Memo->selectAll();
    Memo->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), "q. p(\"für\") ∨ ∀X r(X). ");
}
} // namespace
