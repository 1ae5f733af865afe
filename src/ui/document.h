// Documents as bytes in the editor: each byte one character, line endings kept as they were.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>

// How the file ended its lines; a new document uses LF.
enum class TLineEnding { LF, CRLF };

// How a file is written. A document is its bytes, except a file in UTF-8 that writes the
// logical symbols as Unicode characters and comes back exactly when written again: it is
// read and saved in UTF-8.
struct TFileFormat {
    TLineEnding Ending = TLineEnding::LF;
    bool Utf8 = false;
};

// The editor text of a file. A carriage return that is no part of the file's line ending
// becomes a character of its own, so that saving gives the file back byte for byte.
QString DocumentFromBytes(const QByteArray& File, TFileFormat& Format);
// The file bytes of the editor's raw text (paragraph separators for line breaks).
QByteArray BytesFromDocument(const QString& Raw, const TFileFormat& Format);
// The bytes the prover reads: line breaks as LF, one byte per character.
std::string ProverText(const QString& Raw);
QString DocumentText(const std::string& Bytes);

// The clipboard holds the logical symbols as Unicode characters; pasted text gets the symbol
// bytes back, and characters beyond Latin-1 become "?".
QString ClipboardFromDocument(const QString& Raw);
QString DocumentFromClipboard(const QString& Text);
