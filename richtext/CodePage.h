// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace wf::rtf {

// Windows code pages of RTF text: 1250-1258, 874, 437, 850, the double-byte
// 932, 936, 949, 950 and 1361, and 10000 (Mac Roman).
bool isDoubleByteCodePage(int codePage);

// The Symbol font's own encoding (\fcharset2): its bytes stand for Greek
// letters, mathematical signs and the like, decoded to their Unicode meaning.
constexpr int kSymbolCodePage = 42;
// A lead byte of a double-byte character in that code page.
bool isLeadByte(int codePage, unsigned char byte);
// Decodes bytes of a code page; bytes it cannot decode become U+FFFD. An
// unknown code page decodes as 1252.
QString decodeCodePage(int codePage, const QByteArray& bytes);
// The code page of an RTF \fcharset value, or 0 when it names none.
int codePageOfCharset(int charset);
// The byte of c in code page 1252, or -1 when it has none.
int cp1252Byte(char16_t c);

}  // namespace wf::rtf
