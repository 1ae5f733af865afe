#include "ui/document.h"

#include "language/codec.h"

#include <QList>
#include <vector>

namespace {
constexpr QChar Paragraph(0x2029);
constexpr QChar LoneReturn(0xE00D); // a carriage return that ends no line
constexpr QChar Nul(0xE000);        // a NUL byte, which the text pane would not keep
// A byte that is not UTF-8 in a UTF-8 document: one character that stands for it, saved back
// as the same byte.
constexpr char16_t StrayBase = 0xE100;

bool IsStray(QChar C)
{
    return C.unicode() >= StrayBase + 0x80 && C.unicode() <= StrayBase + 0xFF;
}

bool AllLinesEndWithCRLF(const QByteArray& File)
{
    bool Any = false;
    for (qsizetype I = 0; I < File.size(); ++I)
        if (File[I] == '\n') {
            if (I == 0 || File[I - 1] != '\r')
                return false;
            Any = true;
        }
    return Any;
}

// The prover's bytes as editor characters; CR LF pairs become line breaks when CRLF says so.
// Stray: the offsets of stray bytes, in order.
QString EditorCharacters(const std::string& Bytes, bool CRLF,
                         const std::vector<std::size_t>& Stray = {})
{
    QString Text;
    Text.reserve(static_cast<qsizetype>(Bytes.size()));
    std::size_t NextStray = 0;
    for (std::size_t I = 0; I < Bytes.size(); ++I) {
        const char C = Bytes[I];
        if (NextStray < Stray.size() && Stray[NextStray] == I) {
            ++NextStray;
            Text += QChar(static_cast<char16_t>(StrayBase + static_cast<unsigned char>(C)));
        } else if (C == '\r') {
            if (CRLF && I + 1 < Bytes.size() && Bytes[I + 1] == '\n')
                continue;
            Text += LoneReturn;
        } else if (C == '\0') {
            Text += Nul;
        } else {
            Text += QChar(static_cast<char16_t>(static_cast<unsigned char>(C)));
        }
    }
    return Text;
}

// The editor characters as the prover's bytes; a line break is Ending. Stray gets the offsets
// of the stray bytes.
std::string ProverBytes(const QString& Raw, TLineEnding Ending,
                        std::vector<std::size_t>* Stray = nullptr)
{
    std::string Out;
    Out.reserve(static_cast<std::size_t>(Raw.size()));
    for (QChar C : Raw) {
        if (IsStray(C)) {
            if (Stray)
                Stray->push_back(Out.size());
            Out += static_cast<char>(C.unicode() - StrayBase);
        } else if (C == Paragraph || C == QChar('\n')) {
            if (Ending == TLineEnding::CRLF)
                Out += '\r';
            Out += '\n';
        } else if (C == LoneReturn) {
            Out += '\r';
        } else if (C == Nul) {
            Out += '\0';
        } else {
            const char16_t U = C.unicode();
            Out += U <= 0xFF ? static_cast<char>(U) : '?';
        }
    }
    return Out;
}
} // namespace

QString DocumentFromBytes(const QByteArray& File, TFileFormat& Format)
{
    const TDocument Doc = DecodeDocument(File.toStdString());
    Format.Ending = AllLinesEndWithCRLF(File) ? TLineEnding::CRLF : TLineEnding::LF;
    Format.Utf8 = Doc.Utf8;
    Format.Bom = Doc.Bom;
    return EditorCharacters(Doc.Text, Format.Ending == TLineEnding::CRLF, Doc.Stray);
}

QByteArray BytesFromDocument(const QString& Raw, const TFileFormat& Format)
{
    std::vector<std::size_t> Stray;
    const std::string Text = ProverBytes(Raw, Format.Ending, &Stray);
    return QByteArray::fromStdString(EncodeDocument(Text, Format.Utf8, Format.Bom, Stray));
}

TStrayByte FindStrayByte(const QString& Raw, const TFileFormat& Format)
{
    TStrayByte Found;
    for (qsizetype I = 0; I < Raw.size() && Found.Index < 0; ++I)
        if (IsStray(Raw[I]))
            Found.Index = I;
    if (Found.Index < 0)
        return Found;
    // Where the console tells it: the line and column of the byte in the file.
    const QByteArray File = BytesFromDocument(Raw, Format);
    const auto Offset =
        static_cast<std::size_t>(BytesFromDocument(Raw.left(Found.Index), Format).size());
    const TPosition P = PositionOf(File.toStdString(), Offset, true);
    Found.Line = static_cast<int>(P.Line);
    Found.Column = static_cast<int>(P.Column);
    Found.Message = QString::fromStdString(
        StrayByteMessage(static_cast<unsigned char>(Raw[Found.Index].unicode() - StrayBase)));
    return Found;
}

std::string ProverText(const QString& Raw)
{
    return ProverBytes(Raw, TLineEnding::LF);
}

QString DocumentText(const std::string& Bytes)
{
    return QString::fromLatin1(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
}

QString ClipboardFromDocument(const QString& Raw)
{
    return QString::fromUtf8(EncodeReport(ProverBytes(Raw, TLineEnding::LF)));
}

QString DocumentFromClipboard(const QString& Text)
{
    QString Lines = Text;
    Lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Lines.replace(QChar(0x2028), QChar('\n'));
    Lines.replace(Paragraph, QChar('\n'));
    return EditorCharacters(DecodeUtf8Text(Lines.toStdString()), false);
}

QString ForeignCharacterNote(const QString& Raw, int Line, int Column)
{
    const std::string Bytes = ProverText(Raw);
    const std::size_t At = FindForeign(Bytes);
    if (At == std::string::npos)
        return QString();
    for (std::size_t I = 0; I < At; ++I) {
        if (Bytes[I] == '\n') {
            ++Line;
            Column = 1;
        } else {
            ++Column;
        }
    }
    // The character as written, and the bytes it is kept as.
    std::size_t End = At + 1;
    while (End < Bytes.size() && (static_cast<unsigned char>(Bytes[End]) & 0xC0) == 0x80 &&
           End - At < 4)
        ++End;
    const std::string Kept = Bytes.substr(At, End - At);
    const QString Where = QStringLiteral("Line %1, column %2: ").arg(Line).arg(Column);
    const QString Written = QString::fromUtf8(EncodeReport(Kept));
    if (Kept.size() == 1)
        return Where + QStringLiteral("\"%1\" is no symbol of the formula language; only a "
                                      "string may hold it.")
                           .arg(Written);
    return Where + QStringLiteral("\"%1\" is no symbol of the formula language; it is kept as "
                                  "its UTF-8 bytes \"%2\", which only a string may hold.")
                       .arg(Written, DocumentText(Kept));
}
