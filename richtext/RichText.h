// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

class QTextDocument;

namespace wf::rtf {

// Reads Rich Text Format into doc, replacing what it held. Text that is not
// RTF at all is read as plain text, one paragraph a line. Returns whether the
// input was well-formed RTF; whatever it was, doc holds what could be read.
bool readRtf(QStringView rtf, QTextDocument& doc);

// The text of an article as a reader sees it: paragraphs and line breaks as
// "\n", tabs as "\t", no markup. Cheap: no document is built.
QString plainText(QStringView rtf, bool* wellFormed = nullptr);

// Writes doc as compact RTF in the style of the classic rich-text controls:
// {\rtf1\ansi\ansicpg1252\deff0{\fonttbl...}{\colortbl...}\viewkind4\uc1\pard...}
// with font family, size, bold, italic, underline, strike-out, colour,
// highlight, paragraph alignment and indents, line breaks and tabs. Every
// character is kept: code page 1252 as \'hh, the rest as \uN?.
QString writeRtf(const QTextDocument& doc);

}  // namespace wf::rtf
