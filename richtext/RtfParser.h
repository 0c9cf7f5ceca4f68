// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QStringView>
#include <vector>

namespace wf::rtf {

// Character formatting as the reader tracks it.
struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int vertical = 0;  // -1 subscript, 1 superscript
    int font = -1;     // \f index; -1 for the default font
    int halfPoints = 24;
    int color = 0;      // \cf index into the colour table; 0 is automatic
    int highlight = 0;  // \highlight or \cb index; 0 is none
    bool operator==(const CharState&) const = default;
};

// Paragraph formatting (\pard resets it).
struct ParaState {
    int align = 0;  // 0 left, 1 centre, 2 right, 3 justified
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;  // twips
    bool operator==(const ParaState&) const = default;
};

// A picture of the text (\pict): its bytes as the RTF carries them.
struct Picture {
    // The blip's control word ("pngblip", "jpegblip", "emfblip",
    // "wmetafile", ...) and its parameter (-1 for none).
    QString kind;
    int kindParam = -1;
    QByteArray data;
    int picw = 0;  // pixels for a bitmap, 0.01 mm for a metafile
    int pich = 0;
    int goalWidth = 0;  // twips; 0 when not given
    int goalHeight = 0;
    int scaleX = 100;  // per cent
    int scaleY = 100;
    bool operator==(const Picture&) const = default;
};

struct FontEntry {
    int number = 0;
    QString name;
    int charset = -1;
};

// What the parser finds, in document order.
class Sink {
  public:
    virtual ~Sink() = default;
    virtual void text(QStringView s, const CharState& c) = 0;
    virtual void paragraphEnd(const ParaState& p, const CharState& c) = 0;
    // The end of input; p is the formatting of text after the last paragraph mark.
    virtual void finish(const ParaState& p) = 0;
    // A picture in the text where it stands.
    virtual void picture(const Picture&, const CharState&) {}
};

// Tables the parser has read, for the sink to resolve \f and \cf indexes.
struct Tables {
    std::vector<FontEntry> fonts;
    std::vector<QColor> colors;  // index 0 is "automatic" (invalid colour)
    int defaultFont = 0;
    const FontEntry* font(int number) const;
    QColor color(int index) const;
};

// Parses RTF (or, when the input is not RTF, plain text) and feeds the sink.
// Returns whether the input was well-formed RTF. Never reads out of bounds,
// whatever the input; nesting deeper than kMaxDepth is flattened.
class Parser {
  public:
    static constexpr int kMaxDepth = 200;

    Parser(QStringView input, Sink& sink) : in_(input), sink_(sink) {}
    bool run();
    const Tables& tables() const { return tables_; }

  private:
    enum class Dest { Body, Skip, FontTable, ColorTable, Picture };
    struct Group {
        CharState chr;
        ParaState para;
        Dest dest = Dest::Body;
        int uc = 1;
        int fontCodePage = 0;
        bool inObject = false;  // inside an \object group
    };

    void runPlainText();
    void controlWord(QStringView word, bool hasParam, int param);
    void controlSymbol(QChar c);
    void pushGroup();
    void popGroup();
    void addText(QChar c);
    void addByte(unsigned char b);
    void flushBytes();
    void flushText();
    void paragraph();
    bool setChar(CharState next);
    int codePage() const;
    void fontTableWord(QStringView word, bool hasParam, int param);
    void fontTableText(QChar c);
    void colorTableText(QChar c);

    QStringView in_;
    Sink& sink_;
    Tables tables_;
    std::vector<Group> stack_;
    Group cur_;
    int overflow_ = 0;  // groups opened beyond kMaxDepth
    bool wellFormed_ = true;
    int ansiCodePage_ = 1252;
    int skip_ = 0;               // characters still to skip after \u
    bool atGroupStart_ = false;  // nothing read yet in the group just opened
    bool pendingHigh_ = false;   // the last character was a \u high surrogate
    QString text_;
    QByteArray bytes_;
    int bytesCodePage_ = 1252;
    bool expectTrail_ = false;
    // The font table entry being read.
    FontEntry fontEntry_;
    bool inFontEntry_ = false;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;
    bool headerSeen_ = false;
    // The picture being read, and a pending half byte of its hex data.
    Picture picture_;
    int nibble_ = -1;
    void pictureWord(QStringView word, bool hasParam, int param);
    void pictureText(QChar c);
};

}  // namespace wf::rtf
