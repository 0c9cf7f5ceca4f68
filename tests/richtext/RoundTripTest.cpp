// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include "RichText.h"
#include "RichTextTestUtil.h"

using namespace wf;
using wf::test::charFormats;
using wf::test::words;

namespace {

QTextCharFormat fmt(const QString& family, qreal size, bool b = false, bool i = false,
                    bool u = false, bool s = false, QColor fg = {}, QColor bg = {}) {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{family});
    f.setFontPointSize(size);
    f.setFontWeight(b ? QFont::Bold : QFont::Normal);
    f.setFontItalic(i);
    f.setFontUnderline(u);
    f.setFontStrikeOut(s);
    if (fg.isValid()) {
        f.setForeground(fg);
    }
    if (bg.isValid()) {
        f.setBackground(bg);
    }
    return f;
}

QTextBlockFormat para(Qt::Alignment a, qreal li = 0, qreal ri = 0, qreal fi = 0) {
    QTextBlockFormat f;
    f.setAlignment(a);
    f.setLeftMargin(li);
    f.setRightMargin(ri);
    f.setTextIndent(fi);
    return f;
}

// An article with every formatting the editor offers, in several scripts.
void buildRichDocument(QTextDocument& doc) {
    QTextCursor c(&doc);
    c.setBlockFormat(para(Qt::AlignLeft));
    c.insertText(QStringLiteral("Plain Arial, "), fmt("Arial", 10));
    c.insertText(QStringLiteral("bold"), fmt("Arial", 10, true));
    c.insertText(QStringLiteral(" italic"), fmt("Arial", 10, false, true));
    c.insertText(QStringLiteral(" underline"), fmt("Arial", 10, false, false, true));
    c.insertText(QStringLiteral(" strike"), fmt("Arial", 10, false, false, false, true));
    c.insertText(QStringLiteral(" all"), fmt("Arial", 10, true, true, true, true));
    c.insertBlock(para(Qt::AlignHCenter));
    c.insertText(QStringLiteral("Centred red 14pt Times"),
                 fmt("Times New Roman", 14, false, false, false, false, QColor(200, 0, 0)));
    c.insertBlock(para(Qt::AlignRight, 0, 20));
    c.insertText(QStringLiteral("Right, highlighted"),
                 fmt("Courier New", 9.5, false, false, false, false, {}, QColor(255, 255, 0)));
    c.insertBlock(para(Qt::AlignJustify, 40, 0, -10));
    c.insertText(QStringLiteral("Justified with tabs\there\tand a line break\u2028next line"),
                 fmt("Arial", 12));
    c.insertBlock(para(Qt::AlignLeft));
    c.insertText(QStringLiteral("Scripts: Rüppell's café ½ € “quotes” — "), fmt("Arial", 10));
    c.insertText(QStringLiteral("κόκκινος зарянка čáp עורב 燕子 ツバメ 제비 "),
                 fmt("DejaVu Sans", 11));
    c.insertText(QStringLiteral("emoji 🐦🦉 and escapes \\ { } ;"),
                 fmt("Arial", 10, false, false, false, false, QColor(0, 0, 255)));
    c.insertBlock(para(Qt::AlignLeft));
    c.insertBlock(para(Qt::AlignLeft));
    c.insertText(QStringLiteral("After two empty paragraphs."), fmt("Arial", 10));
}

void expectRoundTrip(const QTextDocument& doc) {
    const QString first = rtf::writeRtf(doc);
    for (const QChar ch : first) {
        ASSERT_LT(ch.unicode(), 0x80) << "the writer writes 7-bit text";
    }
    QTextDocument back;
    ASSERT_TRUE(rtf::readRtf(first, back)) << first.toStdString();
    EXPECT_EQ(back.toPlainText(), doc.toPlainText());
    EXPECT_EQ(charFormats(back), charFormats(doc));
    EXPECT_EQ(rtf::writeRtf(back), first);
}

}  // namespace

TEST(RtfRoundTrip, FormattedDocumentInSeveralScripts) {
    QTextDocument doc;
    buildRichDocument(doc);
    expectRoundTrip(doc);
}

TEST(RtfRoundTrip, EmptyAndFormattingOnlyDocuments) {
    QTextDocument empty;
    expectRoundTrip(empty);
    EXPECT_EQ(empty.blockCount(), 1);

    QTextDocument blanks;
    QTextCursor c(&blanks);
    c.insertText(QStringLiteral("\t\t"), fmt("Arial", 20, true, true, true, true, Qt::red));
    c.insertBlock(para(Qt::AlignHCenter));
    c.insertBlock(para(Qt::AlignRight));
    c.insertText(QStringLiteral(" "), fmt("Arial", 8));
    expectRoundTrip(blanks);
}

TEST(RtfRoundTrip, OutputLooksLikeTheClassicControlsOutput) {
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("Hello "), fmt("Arial", 10));
    c.insertText(QStringLiteral("world"), fmt("Arial", 10, true));
    const QString out = rtf::writeRtf(doc);
    EXPECT_TRUE(out.startsWith(QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}")));
    EXPECT_TRUE(
        out.contains(QStringLiteral("\\viewkind4\\uc1\\pard\\f0\\fs20 Hello \\b world\\par")))
        << out.toStdString();
    EXPECT_TRUE(out.endsWith(QStringLiteral("}\r\n")));
}

TEST(RtfRoundTrip, ReaderOutputOfOtherProgramsWritesStably) {
    // Whatever a foreign file held, what the writer makes of it reads back the same.
    for (const char* name : {"lo-formatting", "lo-scripts", "richedit-1252", "richedit-shiftjis"}) {
        SCOPED_TRACE(name);
        QTextDocument doc;
        rtf::readRtf(test::dataFile(QString::fromLatin1(name) + ".rtf"), doc);
        expectRoundTrip(doc);
    }
}

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000)) {
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

TEST(RtfRoundTrip, UnrtfReadsTheSameWords) {
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    if (unrtf.isEmpty()) {
        GTEST_SKIP() << "unrtf is not installed";
    }
    // unrtf prints Latin-1 and nothing beyond it (it drops the 1252 quotes
    // and misprints the euro sign), so this article keeps to Latin-1.
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("Saw a "), fmt("Arial", 10));
    c.insertText(QStringLiteral("Rüppell's Vulture"), fmt("Arial", 10, true, false, true));
    c.insertText(QStringLiteral(" near the café\tat dawn"),
                 fmt("Times New Roman", 14, false, true));
    c.insertBlock(para(Qt::AlignHCenter));
    c.insertText(QStringLiteral("£ 5, \"quotes\", {braces} and back\\\\slash; ½ naïve"),
                 fmt("Arial", 10, false, false, false, true, QColor(200, 0, 0)));
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("article.rtf"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(rtf::writeRtf(doc).toLatin1());
    f.close();
    QProcess p;
    p.start(unrtf, {QStringLiteral("--text"), path});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QByteArray raw = p.readAllStandardOutput();
    // After unrtf's comment header, the text in code page 1252.
    const qsizetype body = raw.indexOf("-----------------\n");
    ASSERT_GE(body, 0);
    QString out;
    for (const char ch : raw.mid(body + 18)) {
        const auto b = static_cast<unsigned char>(ch);
        out += b == 0x80   ? QChar(0x20AC)
               : b == 0x93 ? QChar(0x201C)
               : b == 0x94 ? QChar(0x201D)
                           : QChar(b);
    }
    EXPECT_EQ(words(out), words(doc.toPlainText()));
}

TEST(RtfRoundTrip, LibreOfficeReadsTheSameWords) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        GTEST_SKIP() << "LibreOffice is not installed";
    }
    QTextDocument doc;
    buildRichDocument(doc);
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("article.rtf"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(rtf::writeRtf(doc).toLatin1());
    f.close();
    run(soffice,
        {QStringLiteral("--headless"),
         QStringLiteral("-env:UserInstallation=file://") + tmp.filePath(QStringLiteral("profile")),
         QStringLiteral("--convert-to"), QStringLiteral("txt:Text (encoded):UTF8"),
         QStringLiteral("--outdir"), tmp.path(), path});
    QFile txt(tmp.filePath(QStringLiteral("article.txt")));
    ASSERT_TRUE(txt.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(txt.readAll());
    text.remove(QChar(0xFEFF));
    QString expected = doc.toPlainText();
    EXPECT_EQ(words(text), words(expected));
}
