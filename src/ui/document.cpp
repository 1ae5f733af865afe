#include "ui/document.h"

#include "model/symbols.h"

#include <QList>
#include <QStringDecoder>

namespace {
constexpr QChar Paragraph(0x2029);
constexpr QChar LoneReturn(0xE00D); // a carriage return that ends no line

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
} // namespace

namespace {
// The characters of a UTF-8 file as symbol bytes and Latin-1; empty when it has others.
bool DecodeUtf8(const QByteArray& File, QString& Text)
{
    QStringDecoder Decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString Unicode = Decoder(File);
    if (Decoder.hasError())
        return false;
    bool Symbols = false;
    for (const uint C : Unicode.toUcs4()) {
        bool Mapped = false;
        for (const Sym::TSymbolCode& S : Sym::Codes)
            if (C == static_cast<uint>(S.Code) && C > 0xFF) {
                Text += QChar(S.Byte);
                Mapped = Symbols = true;
            }
        if (Mapped)
            continue;
        if (C > 0xFF)
            return false;
        Text += QChar(static_cast<char16_t>(C));
    }
    return Symbols;
}

void AppendChar(QByteArray& Out, QChar C, bool Utf8)
{
    const char16_t U = C.unicode();
    if (!Utf8 || U < 0x80) {
        Out += U <= 0xFF ? static_cast<char>(U) : '?';
        return;
    }
    char32_t Code = U <= 0xFF ? U : U'?';
    for (const Sym::TSymbolCode& S : Sym::Codes)
        if (U == S.Byte)
            Code = S.Code;
    Out += QString::fromUcs4(&Code, 1).toUtf8();
}
} // namespace

QString DocumentFromBytes(const QByteArray& File, TFileFormat& Format)
{
    Format.Ending = AllLinesEndWithCRLF(File) ? TLineEnding::CRLF : TLineEnding::LF;
    QString Characters;
    Format.Utf8 = DecodeUtf8(File, Characters);
    if (!Format.Utf8)
        Characters = QString::fromLatin1(File);
    QString Text;
    Text.reserve(Characters.size());
    for (qsizetype I = 0; I < Characters.size(); ++I) {
        const QChar C = Characters[I];
        if (C == QChar('\r')) {
            if (Format.Ending == TLineEnding::CRLF && I + 1 < Characters.size() &&
                Characters[I + 1] == QChar('\n'))
                continue;
            Text += LoneReturn;
        } else {
            Text += C;
        }
    }
    // A file that would not come back exactly is read as bytes.
    if (Format.Utf8 && BytesFromDocument(Text, Format) != File) {
        Format.Utf8 = false;
        return DocumentFromBytes(File, Format);
    }
    return Text;
}

QByteArray BytesFromDocument(const QString& Raw, const TFileFormat& Format)
{
    QByteArray Out;
    Out.reserve(Raw.size());
    for (QChar C : Raw) {
        if (C == Paragraph || C == QChar('\n')) {
            if (Format.Ending == TLineEnding::CRLF)
                Out += '\r';
            Out += '\n';
        } else if (C == LoneReturn) {
            Out += '\r';
        } else {
            AppendChar(Out, C, Format.Utf8);
        }
    }
    return Out;
}

std::string ProverText(const QString& Raw)
{
    const QByteArray Bytes = BytesFromDocument(Raw, TFileFormat{});
    return std::string(Bytes.constData(), static_cast<std::size_t>(Bytes.size()));
}

QString DocumentText(const std::string& Bytes)
{
    return QString::fromLatin1(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
}

QString ClipboardFromDocument(const QString& Raw)
{
    QString Out;
    Out.reserve(Raw.size());
    for (QChar C : Raw) {
        if (C == Paragraph) {
            Out += QChar('\n');
            continue;
        }
        if (C == LoneReturn) {
            Out += QChar('\r');
            continue;
        }
        QString Piece(C);
        for (const Sym::TSymbolCode& S : Sym::Codes)
            if (C.unicode() == S.Byte)
                Piece = QString::fromUcs4(&S.Code, 1);
        Out += Piece;
    }
    return Out;
}

QString DocumentFromClipboard(const QString& Text)
{
    QString Out;
    const QList<uint> Codes = Text.toUcs4();
    for (qsizetype I = 0; I < Codes.size(); ++I) {
        const uint C = Codes[I];
        if (C == '\r' && I + 1 < Codes.size() && Codes[I + 1] == '\n')
            continue;
        bool Mapped = false;
        for (const Sym::TSymbolCode& S : Sym::Codes)
            if (C == static_cast<uint>(S.Code) && C > 0xFF) {
                Out += QChar(S.Byte);
                Mapped = true;
            }
        if (Mapped)
            continue;
        if (C == '\r')
            Out += LoneReturn;
        else if (C == 0x2029 || C == 0x2028)
            Out += QChar('\n');
        else
            Out += C <= 0xFF ? QChar(static_cast<char16_t>(C)) : QChar('?');
    }
    return Out;
}
