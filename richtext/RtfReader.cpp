// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "Pictures.h"
#include "RichText.h"
#include "RtfParser.h"

namespace wf::rtf {

namespace {

// Builds a QTextDocument. A paragraph mark opens the next block only when
// something follows it, so that the final \par adds no empty block.
class DocumentSink : public Sink {
  public:
    explicit DocumentSink(QTextDocument& doc) : cursor_(&doc) {}
    void setTables(const Tables* t) { tables_ = t; }

    void text(QStringView s, const CharState& c) override {
        openBlock();
        cursor_.insertText(s.toString(), charFormat(c));
        blockHasContent_ = true;
    }

    void paragraphEnd(const ParaState& p, const CharState& c) override {
        openBlock();
        cursor_.setBlockFormat(blockFormat(p));
        if (!blockHasContent_) {
            cursor_.setBlockCharFormat(charFormat(c));
        }
        pendingBlock_ = true;
    }

    void finish(const ParaState& p) override {
        if (!pendingBlock_) {
            cursor_.setBlockFormat(blockFormat(p));
        }
    }

    void picture(const Picture& p, const CharState&) override {
        openBlock();
        pictures::insert(cursor_, p);
        blockHasContent_ = true;
    }

  private:
    void openBlock() {
        if (pendingBlock_) {
            cursor_.insertBlock();
            pendingBlock_ = false;
            blockHasContent_ = false;
        }
    }

    QTextCharFormat charFormat(const CharState& c) {
        if (haveLast_ && c == lastState_) {
            return lastFormat_;
        }
        QTextCharFormat f;
        if (const FontEntry* font = tables_->font(c.font); font && !font->name.isEmpty()) {
            f.setFontFamilies(QStringList{font->name});
        }
        f.setFontPointSize(c.halfPoints / 2.0);
        f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(c.italic);
        f.setFontUnderline(c.underline);
        f.setFontStrikeOut(c.strike);
        if (const QColor col = tables_->color(c.color); col.isValid()) {
            f.setForeground(col);
        }
        if (const QColor bg = tables_->color(c.highlight); bg.isValid()) {
            f.setBackground(bg);
        }
        if (c.vertical != 0) {
            f.setVerticalAlignment(c.vertical > 0 ? QTextCharFormat::AlignSuperScript
                                                  : QTextCharFormat::AlignSubScript);
        }
        lastState_ = c;
        lastFormat_ = f;
        haveLast_ = true;
        return f;
    }

    static QTextBlockFormat blockFormat(const ParaState& p) {
        QTextBlockFormat f;
        static const Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                               Qt::AlignJustify};
        f.setAlignment(aligns[std::clamp(p.align, 0, 3)]);
        if (p.leftIndent != 0) {
            f.setLeftMargin(p.leftIndent / 15.0);
        }
        if (p.rightIndent != 0) {
            f.setRightMargin(p.rightIndent / 15.0);
        }
        if (p.firstIndent != 0) {
            f.setTextIndent(p.firstIndent / 15.0);
        }
        return f;
    }

    QTextCursor cursor_;
    const Tables* tables_ = nullptr;
    bool pendingBlock_ = false;
    bool blockHasContent_ = false;
    bool haveLast_ = false;
    CharState lastState_;
    QTextCharFormat lastFormat_;
};

class PlainTextSink : public Sink {
  public:
    QString out;
    void text(QStringView s, const CharState&) override {
        for (const QChar c : s) {
            switch (c.unicode()) {
                case 0x2028:
                    out.append(u'\n');
                    break;
                case 0x00A0:
                    out.append(u' ');
                    break;
                case 0x00AD:
                    break;  // a soft hyphen joins the word it splits
                default:
                    out.append(c);
            }
        }
        terminated_ = false;
    }
    void paragraphEnd(const ParaState&, const CharState&) override {
        out.append(u'\n');
        terminated_ = true;
    }
    void finish(const ParaState&) override {
        if (terminated_) {
            out.chop(1);
        }
    }

  private:
    bool terminated_ = false;
};

}  // namespace

bool readRtf(QStringView rtf, QTextDocument& doc) {
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    DocumentSink sink(doc);
    Parser parser(rtf, sink);
    sink.setTables(&parser.tables());
    const bool ok = parser.run();
    doc.setUndoRedoEnabled(undo);
    return ok;
}

QString plainText(QStringView rtf, bool* wellFormed) {
    PlainTextSink sink;
    Parser parser(rtf, sink);
    const bool ok = parser.run();
    if (wellFormed != nullptr) {
        *wellFormed = ok;
    }
    return sink.out;
}

}  // namespace wf::rtf
