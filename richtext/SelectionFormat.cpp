// SPDX-License-Identifier: GPL-3.0-or-later
#include "SelectionFormat.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

namespace wf::rtf {

namespace {

Qt::Alignment horizontal(const QTextBlockFormat& f) {
    const Qt::Alignment h = f.alignment() & Qt::AlignHorizontal_Mask;
    if (h & Qt::AlignHCenter) {
        return Qt::AlignHCenter;
    }
    if (h & (Qt::AlignRight | Qt::AlignTrailing)) {
        return Qt::AlignRight;
    }
    if (h & Qt::AlignJustify) {
        return Qt::AlignJustify;
    }
    return Qt::AlignLeft;
}

QString familyOf(const QTextCharFormat& f, const QTextDocument* doc) {
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.front().isEmpty()) {
        return families.front();
    }
    return doc ? doc->defaultFont().family() : QString();
}

qreal sizeOf(const QTextCharFormat& f, const QTextDocument* doc) {
    if (f.hasProperty(QTextFormat::FontPointSize)) {
        return f.fontPointSize();
    }
    return doc ? doc->defaultFont().pointSizeF() : 0;
}

QColor colorOf(const QTextCharFormat& f) {
    return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor();
}

// One attribute over a selection: its one value, or none once two differ.
template <typename T>
struct Same {
    std::optional<T> value;
    bool seen = false;
    void add(const T& v) {
        if (!seen) {
            value = v;
            seen = true;
        } else if (value && !(*value == v)) {
            value.reset();
        }
    }
};

struct Accumulator {
    Same<bool> bold, italic, underline, strike;
    Same<QString> family;
    Same<qreal> size;
    Same<QColor> color;

    bool empty() const { return !bold.seen; }
    void add(const QTextCharFormat& f, const QTextDocument* doc) {
        bold.add(f.fontWeight() >= QFont::DemiBold);
        italic.add(f.fontItalic());
        underline.add(f.fontUnderline());
        strike.add(f.fontStrikeOut());
        family.add(familyOf(f, doc));
        size.add(sizeOf(f, doc));
        color.add(colorOf(f));
    }

    static Tri tri(const Same<bool>& v) {
        return !v.value ? Tri::Mixed : (*v.value ? Tri::On : Tri::Off);
    }
};

}  // namespace

SelectionFormat selectionFormat(const QTextCursor& cursor) {
    const QTextDocument* doc = cursor.document();
    Accumulator acc;
    if (!cursor.hasSelection()) {
        acc.add(cursor.charFormat(), doc);
    } else {
        const int start = cursor.selectionStart();
        const int end = cursor.selectionEnd();
        for (QTextBlock b = doc->findBlock(start); b.isValid() && b.position() < end;
             b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment frag = it.fragment();
                const int fs = frag.position();
                const int fe = fs + frag.length();
                if (fe > start && fs < end) {
                    acc.add(frag.charFormat(), doc);
                }
            }
        }
        if (acc.empty()) {
            // Only empty paragraphs selected.
            acc.add(cursor.charFormat(), doc);
        }
    }
    SelectionFormat out;
    out.bold = Accumulator::tri(acc.bold);
    out.italic = Accumulator::tri(acc.italic);
    out.underline = Accumulator::tri(acc.underline);
    out.strike = Accumulator::tri(acc.strike);
    out.fontFamily = acc.family.value;
    out.pointSize = acc.size.value;
    out.color = acc.color.value;

    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    QTextBlock b = doc->findBlock(start);
    const QTextBlock last = doc->findBlock(end);
    std::optional<Qt::Alignment> align = horizontal(b.blockFormat());
    for (; b.isValid(); b = b.next()) {
        if (horizontal(b.blockFormat()) != *align) {
            align.reset();
            break;
        }
        if (b == last) {
            break;
        }
    }
    out.alignment = align;
    return out;
}

namespace {

void merge(QTextCursor& cursor, const QTextCharFormat& f) {
    cursor.mergeCharFormat(f);
}

}  // namespace

void applyBold(QTextCursor& cursor, bool on) {
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    merge(cursor, f);
}

void applyItalic(QTextCursor& cursor, bool on) {
    QTextCharFormat f;
    f.setFontItalic(on);
    merge(cursor, f);
}

void applyUnderline(QTextCursor& cursor, bool on) {
    QTextCharFormat f;
    f.setFontUnderline(on);
    merge(cursor, f);
}

void applyStrike(QTextCursor& cursor, bool on) {
    QTextCharFormat f;
    f.setFontStrikeOut(on);
    merge(cursor, f);
}

void applyFontFamily(QTextCursor& cursor, const QString& family) {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{family});
    merge(cursor, f);
}

void applyPointSize(QTextCursor& cursor, qreal size) {
    QTextCharFormat f;
    f.setFontPointSize(size);
    merge(cursor, f);
}

void applyColor(QTextCursor& cursor, const QColor& color) {
    QTextCharFormat f;
    f.setForeground(color);
    merge(cursor, f);
}

void applyAlignment(QTextCursor& cursor, Qt::Alignment alignment) {
    QTextBlockFormat f;
    f.setAlignment(alignment);
    cursor.mergeBlockFormat(f);
}

}  // namespace wf::rtf
