// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <cmath>
#include <vector>

#include "CodePage.h"
#include "Pictures.h"
#include "RichText.h"

namespace wf::rtf {

namespace {

struct RunFormat {
    int font = -1;
    int halfPoints = -1;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int vertical = 0;  // -1 subscript, 1 superscript
    int color = 0;
    int highlight = 0;
};

class Writer {
  public:
    explicit Writer(const QTextDocument& doc) : doc_(doc) {
        defaultFamily_ = doc.defaultFont().family();
        defaultHalfPoints_ = halfPoints(doc.defaultFont().pointSizeF());
    }

    QString write() {
        // The tables list fonts and colours in order of first use.
        for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                fontIndex(family(f));
                if (f.hasProperty(QTextFormat::ForegroundBrush)) {
                    colorIndex(f.foreground().color());
                }
                if (f.hasProperty(QTextFormat::BackgroundBrush)) {
                    colorIndex(f.background().color());
                }
            }
        }
        if (fonts_.empty()) {
            fontIndex(defaultFamily_);
        }
        QString out;
        out.reserve(doc_.characterCount() + 256);
        out += QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl");
        for (size_t i = 0; i < fonts_.size(); ++i) {
            out += QStringLiteral("{\\f%1\\fnil\\fcharset0 ").arg(i);
            appendText(out, fonts_[i], true);
            out += QStringLiteral(";}");
        }
        out += u'}';
        if (!colors_.empty()) {
            out += QStringLiteral("\r\n{\\colortbl ;");
            for (const QColor& c : colors_) {
                out += QStringLiteral("\\red%1\\green%2\\blue%3;")
                           .arg(c.red())
                           .arg(c.green())
                           .arg(c.blue());
            }
            out += u'}';
        }
        out += QStringLiteral("\r\n\\viewkind4\\uc1");
        QTextBlockFormat prevBlock;
        bool first = true;
        for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
            const QTextBlockFormat bf = b.blockFormat();
            if (first || !sameParagraph(bf, prevBlock)) {
                out += QStringLiteral("\\pard");
                appendParagraph(out, bf);
                pendingSpace_ = true;
            }
            prevBlock = bf;
            first = false;
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment frag = it.fragment();
                if (frag.charFormat().isImageFormat()) {
                    const Picture p = pictures::fromFormat(frag.charFormat().toImageFormat(), doc_);
                    for (qsizetype k = 0; k < frag.length(); ++k) {
                        appendPicture(out, p);
                    }
                    continue;
                }
                appendFormat(out, runFormat(frag.charFormat()));
                appendText(out, frag.text(), false);
            }
            out += QStringLiteral("\\par\r\n");
            pendingSpace_ = false;
        }
        out += QStringLiteral("}\r\n");
        return out;
    }

  private:
    static int halfPoints(qreal pt) { return pt > 0 ? std::max(1, int(std::lround(pt * 2))) : 24; }

    QString family(const QTextCharFormat& f) const {
        const QStringList families = f.fontFamilies().toStringList();
        if (!families.isEmpty() && !families.front().isEmpty()) {
            return families.front();
        }
        return defaultFamily_;
    }

    int fontIndex(const QString& name) {
        for (size_t i = 0; i < fonts_.size(); ++i) {
            if (fonts_[i] == name) {
                return int(i);
            }
        }
        fonts_.push_back(name);
        return int(fonts_.size() - 1);
    }

    int colorIndex(const QColor& c) {
        const QRgb rgb = c.rgb() & 0xFFFFFF;
        for (size_t i = 0; i < colors_.size(); ++i) {
            if ((colors_[i].rgb() & 0xFFFFFF) == rgb) {
                return int(i) + 1;
            }
        }
        colors_.push_back(QColor(rgb));
        return int(colors_.size());
    }

    RunFormat runFormat(const QTextCharFormat& f) {
        RunFormat r;
        r.font = fontIndex(family(f));
        r.halfPoints = f.hasProperty(QTextFormat::FontPointSize) ? halfPoints(f.fontPointSize())
                                                                 : defaultHalfPoints_;
        r.bold = f.fontWeight() >= QFont::DemiBold;
        r.italic = f.fontItalic();
        r.underline = f.fontUnderline();
        r.strike = f.fontStrikeOut();
        r.vertical = f.verticalAlignment() == QTextCharFormat::AlignSuperScript ? 1
                     : f.verticalAlignment() == QTextCharFormat::AlignSubScript ? -1
                                                                                : 0;
        r.color =
            f.hasProperty(QTextFormat::ForegroundBrush) ? colorIndex(f.foreground().color()) : 0;
        r.highlight =
            f.hasProperty(QTextFormat::BackgroundBrush) ? colorIndex(f.background().color()) : 0;
        return r;
    }

    static bool sameParagraph(const QTextBlockFormat& a, const QTextBlockFormat& b) {
        return alignCode(a) == alignCode(b) && twips(a.leftMargin()) == twips(b.leftMargin()) &&
               twips(a.rightMargin()) == twips(b.rightMargin()) &&
               twips(a.textIndent()) == twips(b.textIndent());
    }

    static int alignCode(const QTextBlockFormat& f) {
        const Qt::Alignment h = f.alignment() & Qt::AlignHorizontal_Mask;
        if (h & Qt::AlignHCenter) {
            return 1;
        }
        if (h & (Qt::AlignRight | Qt::AlignTrailing)) {
            return 2;
        }
        if (h & Qt::AlignJustify) {
            return 3;
        }
        return 0;
    }

    static int twips(qreal px) { return int(std::lround(px * 15.0)); }

    void appendParagraph(QString& out, const QTextBlockFormat& f) {
        static const char* const codes[] = {"", "\\qc", "\\qr", "\\qj"};
        out += QLatin1String(codes[alignCode(f)]);
        if (const int li = twips(f.leftMargin())) {
            out += QStringLiteral("\\li%1").arg(li);
        }
        if (const int ri = twips(f.rightMargin())) {
            out += QStringLiteral("\\ri%1").arg(ri);
        }
        if (const int fi = twips(f.textIndent())) {
            out += QStringLiteral("\\fi%1").arg(fi);
        }
    }

    void appendFormat(QString& out, const RunFormat& r) {
        auto word = [&](const QString& w) {
            out += w;
            pendingSpace_ = true;
        };
        if (!started_ || r.font != cur_.font) {
            word(QStringLiteral("\\f%1").arg(r.font));
        }
        if (!started_ || r.halfPoints != cur_.halfPoints) {
            word(QStringLiteral("\\fs%1").arg(r.halfPoints));
        }
        if ((!started_ && r.bold) || (started_ && r.bold != cur_.bold)) {
            word(r.bold ? QStringLiteral("\\b") : QStringLiteral("\\b0"));
        }
        if ((!started_ && r.italic) || (started_ && r.italic != cur_.italic)) {
            word(r.italic ? QStringLiteral("\\i") : QStringLiteral("\\i0"));
        }
        if ((!started_ && r.underline) || (started_ && r.underline != cur_.underline)) {
            word(r.underline ? QStringLiteral("\\ul") : QStringLiteral("\\ulnone"));
        }
        if ((!started_ && r.strike) || (started_ && r.strike != cur_.strike)) {
            word(r.strike ? QStringLiteral("\\strike") : QStringLiteral("\\strike0"));
        }
        if ((!started_ && r.vertical) || (started_ && r.vertical != cur_.vertical)) {
            word(r.vertical > 0   ? QStringLiteral("\\super")
                 : r.vertical < 0 ? QStringLiteral("\\sub")
                                  : QStringLiteral("\\nosupersub"));
        }
        if ((!started_ && r.color) || (started_ && r.color != cur_.color)) {
            word(QStringLiteral("\\cf%1").arg(r.color));
        }
        if ((!started_ && r.highlight) || (started_ && r.highlight != cur_.highlight)) {
            word(QStringLiteral("\\highlight%1").arg(r.highlight));
        }
        cur_ = r;
        started_ = true;
    }

    // Appends text with RTF escapes. After a control word the first text
    // character needs the delimiting blank.
    void appendText(QString& out, const QString& s, bool fontName) {
        for (qsizetype i = 0; i < s.size(); ++i) {
            const char16_t u = s[i].unicode();
            if (u == '\\' || u == '{' || u == '}') {
                flushSpace(out);
                out += u'\\';
                out += QChar(u);
            } else if (u == '\t' && !fontName) {
                out += QStringLiteral("\\tab");
                pendingSpace_ = true;
            } else if ((u == 0x2028 || u == 0x2029) && !fontName) {
                out += QStringLiteral("\\line");
                pendingSpace_ = true;
            } else if (u == 0xFFFC || (u < 0x20)) {
                continue;  // objects and control characters carry no text
            } else if (u < 0x80) {
                if (fontName && u == ';') {
                    continue;
                }
                flushSpace(out);
                out += QChar(u);
            } else if (const int b = cp1252Byte(u); b >= 0) {
                out += QStringLiteral("\\'%1").arg(b, 2, 16, QLatin1Char('0'));
                pendingSpace_ = false;
            } else {
                out += QStringLiteral("\\u%1?").arg(int(qint16(u)));
                pendingSpace_ = false;
            }
        }
    }

    // {\pict\pngblip\picwN\pichN\picwgoalN\pichgoalN hex...}
    void appendPicture(QString& out, const Picture& p) {
        if (p.data.isEmpty() || p.kind.isEmpty()) {
            return;
        }
        out += QStringLiteral("{\\pict\\") + p.kind;
        if (p.kindParam >= 0) {
            out += QString::number(p.kindParam);
        }
        out += QStringLiteral("\\picw%1\\pich%2").arg(p.picw).arg(p.pich);
        if (p.goalWidth > 0 && p.goalHeight > 0) {
            out += QStringLiteral("\\picwgoal%1\\pichgoal%2").arg(p.goalWidth).arg(p.goalHeight);
        }
        out += QStringLiteral("\r\n");
        const QByteArray hex = p.data.toHex();
        constexpr qsizetype kLine = 128;
        for (qsizetype i = 0; i < hex.size(); i += kLine) {
            out += QLatin1String(hex.mid(i, kLine));
            out += QStringLiteral("\r\n");
        }
        out += u'}';
        pendingSpace_ = false;
    }

    void flushSpace(QString& out) {
        if (pendingSpace_) {
            out += u' ';
            pendingSpace_ = false;
        }
    }

    const QTextDocument& doc_;
    QString defaultFamily_;
    int defaultHalfPoints_ = 24;
    std::vector<QString> fonts_;
    std::vector<QColor> colors_;
    RunFormat cur_;
    bool started_ = false;
    bool pendingSpace_ = false;
};

}  // namespace

QString writeRtf(const QTextDocument& doc) {
    return Writer(doc).write();
}

}  // namespace wf::rtf
