// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the RTF reader: any bytes, read as Latin-1 and as
// UTF-8, into plain text and into a document; and the writer's output of
// that document read back.
#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>

#include "RichText.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto* chars = reinterpret_cast<const char*>(data);
    const QString latin = QString::fromLatin1(chars, qsizetype(size));
    const QString utf8 = QString::fromUtf8(chars, qsizetype(size));
    wf::rtf::plainText(latin);
    wf::rtf::plainText(utf8);
    QTextDocument doc;
    wf::rtf::readRtf(latin, doc);
    const QString written = wf::rtf::writeRtf(doc);
    QTextDocument back;
    if (!wf::rtf::readRtf(written, back)) {
        __builtin_trap();  // the writer must always write well-formed RTF
    }
    return 0;
}
