// Documents as bytes in the editor: each byte one character, line endings kept as they were.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>

// How the file ended its lines; a new document uses LF.
enum class TLineEnding { LF, CRLF };

// How a file is written: as it was read (the codec's rule), with its line ending and its
// byte order mark.
struct TFileFormat {
    TLineEnding Ending = TLineEnding::LF;
    bool Utf8 = false;
    bool Bom = false;
};

// The editor text of a file. A carriage return that is no part of the file's line ending, and
// a NUL byte, become characters of their own, so that saving gives the file back byte for
// byte.
QString DocumentFromBytes(const QByteArray& File, TFileFormat& Format);
// The file bytes of the editor's raw text (paragraph separators for line breaks).
QByteArray BytesFromDocument(const QString& Raw, const TFileFormat& Format);
// The bytes the prover reads: line breaks as LF, one byte per character.
std::string ProverText(const QString& Raw);
QString DocumentText(const std::string& Bytes);

// The clipboard holds the text in Unicode, the logical symbols as Unicode characters; pasted
// text is read by the documents' rule: symbols become symbol bytes, any other character
// outside ASCII its UTF-8 bytes.
QString ClipboardFromDocument(const QString& Raw);
QString DocumentFromClipboard(const QString& Text);

// A UTF-8 document with a byte that is not UTF-8 shows that byte as a character of its own,
// saved back as the byte. The first of them: its index in the raw text (-1 for none), its line
// and column in the file, and the error the console gives for it.
struct TStrayByte {
    qsizetype Index = -1;
    int Line = 0;
    int Column = 0;
    QString Message;
};
TStrayByte FindStrayByte(const QString& Raw, const TFileFormat& Format);

// Where the first character of the raw text that is kept as its UTF-8 bytes (or is a byte
// outside the language) stands, as a message for the status bar; empty when there is none.
// The text begins at line Line, column Column of its document.
QString ForeignCharacterNote(const QString& Raw, int Line = 1, int Column = 1);
