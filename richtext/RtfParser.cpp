// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtfParser.h"

#include <algorithm>
#include <climits>

#include "CodePage.h"

namespace wf::rtf {

namespace {

bool isLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

bool isDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') {
        return u - '0';
    }
    if (u >= 'a' && u <= 'f') {
        return u - 'a' + 10;
    }
    if (u >= 'A' && u <= 'F') {
        return u - 'A' + 10;
    }
    return -1;
}

// Destinations whose text is not body text.
bool isSkippedDestination(QStringView w) {
    static const char* const names[] = {
        "info",        "stylesheet",
        "header",      "headerl",
        "headerr",     "headerf",
        "footer",      "footerl",
        "footerr",     "footerf",
        "object",      "fldinst",
        "footnote",    "annotation",
        "atnid",       "atnauthor",
        "themedata",   "colorschememapping",
        "datastore",   "latentstyles",
        "listtable",   "listoverridetable",
        "rsidtbl",     "generator",
        "xmlnstbl",    "mmathPr",
        "pgdsctbl",    "revtbl",
        "filetbl",     "nonshppict",
        "bkmkstart",   "bkmkend",
        "xe",          "tc",
        "txe",         "template",
        "docvar",      "userprops",
        "private",     "shpinst",
        "blipuid",     "objdata",
        "comment",     "title",
        "subject",     "author",
        "operator",    "keywords",
        "doccomm",     "company",
        "creatim",     "revtim",
        "printim",     "buptim",
        "hlinkbase",   "passwordhash",
        "protusertbl", "fchars",
        "lchars",      "pnseclvl",
        "defchp",      "defpap",
    };
    for (const char* n : names) {
        if (w == QLatin1String(n)) {
            return true;
        }
    }
    return false;
}

int clampInt(qint64 v, int lo, int hi) {
    return int(std::clamp<qint64>(v, lo, hi));
}

}  // namespace

const FontEntry* Tables::font(int number) const {
    const int n = number < 0 ? defaultFont : number;
    for (const FontEntry& f : fonts) {
        if (f.number == n) {
            return &f;
        }
    }
    return nullptr;
}

QColor Tables::color(int index) const {
    if (index <= 0 || index >= int(colors.size())) {
        return {};
    }
    return colors[size_t(index)];
}

bool Parser::run() {
    qsizetype i = 0;
    const qsizetype n = in_.size();
    while (i < n && (in_[i].isSpace() || in_[i] == QChar(0xFEFF))) {
        ++i;
    }
    if (!in_.sliced(i).startsWith(u"{\\rtf")) {
        runPlainText();
        return false;
    }
    bool ended = false;
    while (i < n && !ended) {
        const QChar c = in_[i];
        switch (c.unicode()) {
            case '{':
                ++i;
                pushGroup();
                break;
            case '}':
                ++i;
                if (stack_.empty() && overflow_ == 0) {
                    wellFormed_ = false;  // a brace that closes nothing
                    break;
                }
                popGroup();
                ended = stack_.empty() && overflow_ == 0;
                break;
            case '\\': {
                if (i + 1 >= n) {
                    wellFormed_ = false;
                    i = n;
                    break;
                }
                const QChar d = in_[i + 1];
                if (isLetter(d)) {
                    qsizetype j = i + 1;
                    while (j < n && isLetter(in_[j])) {
                        ++j;
                    }
                    const QStringView word = in_.sliced(i + 1, std::min<qsizetype>(j - i - 1, 32));
                    bool hasParam = false;
                    bool negative = false;
                    qint64 value = 0;
                    if (j + 1 < n && in_[j] == u'-' && isDigit(in_[j + 1])) {
                        negative = true;
                        ++j;
                    }
                    while (j < n && isDigit(in_[j])) {
                        hasParam = true;
                        if (value < qint64(INT_MAX) * 10) {
                            value = value * 10 + (in_[j].unicode() - '0');
                        }
                        ++j;
                    }
                    if (j < n && in_[j] == u' ') {
                        ++j;
                    }
                    i = j;
                    const int param = clampInt(negative ? -value : value, INT_MIN + 1, INT_MAX);
                    if (word == u"bin") {
                        // Binary data: a picture's bytes, or skipped whole.
                        flushText();
                        const qint64 len =
                            std::min<qint64>(hasParam ? std::max(param, 0) : 0, n - i);
                        if (cur_.dest == Dest::Picture) {
                            for (qint64 k = 0; k < len; ++k) {
                                picture_.data.append(char(in_[i + k].unicode() & 0xFF));
                            }
                        }
                        i += len;
                        break;
                    }
                    if (skip_ > 0) {
                        // The second half of a surrogate pair is no fallback.
                        const bool pairHalf = pendingHigh_ && word == u"u" && hasParam &&
                                              QChar::isLowSurrogate(char16_t(
                                                  param < 0 ? param + 65536 : param & 0xFFFF));
                        if (!pairHalf) {
                            --skip_;
                            break;
                        }
                        skip_ = 0;
                    }
                    controlWord(word, hasParam, param);
                } else if (d == u'\'') {
                    const int h1 = i + 2 < n ? hexValue(in_[i + 2]) : -1;
                    const int h2 = i + 3 < n ? hexValue(in_[i + 3]) : -1;
                    int byte = -1;
                    if (h1 >= 0 && h2 >= 0) {
                        byte = h1 * 16 + h2;
                        i += 4;
                    } else if (h1 >= 0) {
                        byte = h1;
                        wellFormed_ = false;
                        i += 3;
                    } else {
                        wellFormed_ = false;
                        i += 2;
                    }
                    if (byte < 0) {
                        break;
                    }
                    if (skip_ > 0) {
                        --skip_;
                        break;
                    }
                    if (cur_.dest == Dest::Body) {
                        addByte(static_cast<unsigned char>(byte));
                    } else if (cur_.dest == Dest::FontTable) {
                        fontTableText(decodeCodePage(1252, QByteArray(1, char(byte))).at(0));
                    }
                } else {
                    i += 2;
                    if (skip_ > 0 && d != u'{' && d != u'}') {
                        --skip_;
                        break;
                    }
                    controlSymbol(d);
                }
                break;
            }
            case '\r':
            case '\n':
            case 0:
                ++i;
                break;
            default:
                ++i;
                if (skip_ > 0) {
                    --skip_;
                    break;
                }
                if (cur_.dest == Dest::Body) {
                    addText(c);
                } else if (cur_.dest == Dest::FontTable) {
                    fontTableText(c);
                } else if (cur_.dest == Dest::ColorTable) {
                    colorTableText(c);
                } else if (cur_.dest == Dest::Picture) {
                    pictureText(c);
                }
                break;
        }
    }
    if (!ended) {
        wellFormed_ = false;  // truncated: groups left open
    } else {
        for (; i < n; ++i) {
            if (!in_[i].isSpace() && in_[i] != QChar(0)) {
                wellFormed_ = false;
                break;
            }
        }
    }
    flushText();
    sink_.finish(cur_.para);
    return wellFormed_;
}

void Parser::runPlainText() {
    const CharState plain;
    qsizetype start = 0;
    const qsizetype n = in_.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = in_[i].unicode();
        if (u == '\n' || u == '\r') {
            if (i > start) {
                sink_.text(in_.sliced(start, i - start), plain);
            }
            sink_.paragraphEnd(ParaState{}, plain);
            if (u == '\r' && i + 1 < n && in_[i + 1] == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        sink_.text(in_.sliced(start), plain);
    }
    sink_.finish(ParaState{});
}

void Parser::pushGroup() {
    skip_ = 0;
    if (int(stack_.size()) >= kMaxDepth) {
        ++overflow_;
        wellFormed_ = false;
        return;
    }
    flushBytes();
    stack_.push_back(cur_);
    atGroupStart_ = true;
}

void Parser::popGroup() {
    skip_ = 0;
    if (overflow_ > 0) {
        --overflow_;
        return;
    }
    if (cur_.dest == Dest::FontTable && inFontEntry_) {
        // An entry without its closing ';'.
        fontTableText(u';');
    }
    flushText();
    const bool pictureEnds = cur_.dest == Dest::Picture && stack_.back().dest != Dest::Picture;
    const CharState chr = cur_.chr;
    cur_ = stack_.back();
    stack_.pop_back();
    if (pictureEnds) {
        if (cur_.dest == Dest::Body && !picture_.data.isEmpty()) {
            sink_.picture(picture_, chr);
        }
        picture_ = Picture{};
    }
}

void Parser::pictureWord(QStringView w, bool hasParam, int param) {
    static const char* const kinds[] = {"pngblip",   "jpegblip",   "emfblip",
                                        "wmetafile", "macpict",    "dibitmap",
                                        "wbitmap",   "pmmetafile", "wbmbitspixel"};
    for (const char* k : kinds) {
        if (w == QLatin1String(k)) {
            if (picture_.kind.isEmpty() || w != u"wbmbitspixel") {
                picture_.kind = w.toString();
                picture_.kindParam = hasParam ? param : -1;
            }
            return;
        }
    }
    if (w == u"picw") {
        picture_.picw = std::max(param, 0);
    } else if (w == u"pich") {
        picture_.pich = std::max(param, 0);
    } else if (w == u"picwgoal") {
        picture_.goalWidth = std::max(param, 0);
    } else if (w == u"pichgoal") {
        picture_.goalHeight = std::max(param, 0);
    } else if (w == u"picscalex") {
        picture_.scaleX = std::clamp(param, 1, 1000);
    } else if (w == u"picscaley") {
        picture_.scaleY = std::clamp(param, 1, 1000);
    }
}

void Parser::pictureText(QChar c) {
    const int h = hexValue(c);
    if (h < 0) {
        return;  // blanks and line ends between the digits
    }
    if (nibble_ < 0) {
        nibble_ = h;
    } else {
        picture_.data.append(char(nibble_ * 16 + h));
        nibble_ = -1;
    }
}

void Parser::controlSymbol(QChar c) {
    if (c != u'*') {
        atGroupStart_ = false;
    }
    switch (c.unicode()) {
        case '*':
            // Only "{\*" opening a group marks a destination to skip; a stray
            // one elsewhere changes nothing.
            if (atGroupStart_) {
                cur_.dest = Dest::Skip;
            }
            return;
        case '\\':
        case '{':
        case '}':
            if (cur_.dest == Dest::Body) {
                addText(c);
            } else if (cur_.dest == Dest::FontTable) {
                fontTableText(c);
            }
            return;
        case '\r':
        case '\n':
            if (cur_.dest == Dest::Body) {
                paragraph();
            }
            return;
        default:
            break;
    }
    if (cur_.dest != Dest::Body) {
        return;
    }
    switch (c.unicode()) {
        case '~':
            addText(QChar(0x00A0));
            break;
        case '-':
            addText(QChar(0x00AD));
            break;
        case '_':
            addText(QChar(0x2011));
            break;
        case '\t':
            addText(u'\t');
            break;
        default:
            break;  // \| \: and the like carry nothing to show
    }
}

bool Parser::setChar(CharState next) {
    if (next == cur_.chr) {
        return false;
    }
    flushText();
    cur_.chr = next;
    return true;
}

void Parser::controlWord(QStringView w, bool hasParam, int param) {
    atGroupStart_ = false;
    if (w == u"result" && cur_.dest == Dest::Skip && cur_.inObject) {
        // An object's result is what the object looks like as text.
        cur_.dest = Dest::Body;
        return;
    }
    if (w == u"shppict" && cur_.dest == Dest::Skip && !stack_.empty() &&
        stack_.back().dest == Dest::Body) {
        // The picture as Word 97 and later write it; {\nonshppict} is the
        // same picture again for older readers, and stays skipped.
        cur_.dest = Dest::Body;
        return;
    }
    if (cur_.dest == Dest::Skip) {
        return;
    }
    if (w == u"object") {
        cur_.dest = Dest::Skip;
        cur_.inObject = true;
        return;
    }
    if (cur_.dest == Dest::Picture) {
        pictureWord(w, hasParam, param);
        return;
    }
    if (w == u"pict" && cur_.dest == Dest::Body) {
        flushText();
        cur_.dest = Dest::Picture;
        picture_ = Picture{};
        nibble_ = -1;
        return;
    }
    if (cur_.dest == Dest::FontTable) {
        fontTableWord(w, hasParam, param);
        return;
    }
    if (cur_.dest == Dest::ColorTable) {
        if (w == u"red") {
            red_ = clampInt(param, 0, 255);
            colorSet_ = true;
        } else if (w == u"green") {
            green_ = clampInt(param, 0, 255);
            colorSet_ = true;
        } else if (w == u"blue") {
            blue_ = clampInt(param, 0, 255);
            colorSet_ = true;
        }
        return;
    }
    const bool on = !hasParam || param != 0;
    CharState c = cur_.chr;
    ParaState& p = cur_.para;
    switch (w.front().unicode()) {
        case 'a':
            if (w == u"ansi") {
                ansiCodePage_ = 1252;
            } else if (w == u"ansicpg") {
                ansiCodePage_ = param;
            } else if (w == u"annotation" || w == u"atnid" || w == u"atnauthor") {
                cur_.dest = Dest::Skip;
            }
            return;
        case 'b':
            if (w == u"b") {
                c.bold = on;
                setChar(c);
            } else if (w == u"bullet") {
                addText(QChar(0x2022));
            } else if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 'c':
            if (w == u"cf") {
                c.color = std::max(param, 0);
                setChar(c);
            } else if (w == u"cb" || w == u"chcbpat") {
                c.highlight = std::max(param, 0);
                setChar(c);
            } else if (w == u"colortbl") {
                cur_.dest = Dest::ColorTable;
                tables_.colors.clear();
                red_ = green_ = blue_ = 0;
                colorSet_ = false;
            } else if (w == u"cell" || w == u"nestcell") {
                addText(u'\t');
            } else if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 'd':
            if (w == u"deff") {
                tables_.defaultFont = std::max(param, 0);
            } else if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 'e':
            if (w == u"emdash") {
                addText(QChar(0x2014));
            } else if (w == u"endash") {
                addText(QChar(0x2013));
            } else if (w == u"emspace") {
                addText(QChar(0x2003));
            } else if (w == u"enspace") {
                addText(QChar(0x2002));
            }
            return;
        case 'f':
            if (w == u"f") {
                c.font = std::max(param, 0);
                setChar(c);
            } else if (w == u"fs") {
                c.halfPoints = hasParam && param > 0 ? clampInt(param, 2, 3276) : 24;
                setChar(c);
            } else if (w == u"fi") {
                p.firstIndent = clampInt(param, -31680, 31680);
            } else if (w == u"fonttbl") {
                cur_.dest = Dest::FontTable;
                inFontEntry_ = false;
            } else if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 'h':
            if (w == u"highlight") {
                c.highlight = std::max(param, 0);
                setChar(c);
            } else if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 'i':
            if (w == u"i") {
                c.italic = on;
                setChar(c);
            } else if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 'l':
            if (w == u"line") {
                addText(QChar(0x2028));
            } else if (w == u"li" || w == u"lin") {
                p.leftIndent = clampInt(param, -31680, 31680);
            } else if (w == u"lquote") {
                addText(QChar(0x2018));
            } else if (w == u"ldblquote") {
                addText(QChar(0x201C));
            } else if (w == u"ltrmark") {
                addText(QChar(0x200E));
            } else if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 'm':
            if (w == u"mac") {
                ansiCodePage_ = 10000;
            } else if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 'n':
            if (w == u"nosupersub") {
                c.vertical = 0;
                setChar(c);
            } else if (w == u"nestrow") {
                paragraph();
            } else if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 'p':
            if (w == u"par") {
                paragraph();
            } else if (w == u"pard") {
                p = ParaState{};
            } else if (w == u"plain") {
                setChar(CharState{});
            } else if (w == u"page") {
                paragraph();
            } else if (w == u"pc") {
                ansiCodePage_ = 437;
            } else if (w == u"pca") {
                ansiCodePage_ = 850;
            } else if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 'q':
            if (w == u"ql") {
                p.align = 0;
            } else if (w == u"qc") {
                p.align = 1;
            } else if (w == u"qr") {
                p.align = 2;
            } else if (w == u"qj" || w == u"qd") {
                p.align = 3;
            } else if (w == u"qmspace") {
                addText(QChar(0x2005));
            }
            return;
        case 'r':
            if (w == u"rtf") {
                headerSeen_ = true;
            } else if (w == u"ri" || w == u"rin") {
                p.rightIndent = clampInt(param, -31680, 31680);
            } else if (w == u"rquote") {
                addText(QChar(0x2019));
            } else if (w == u"rdblquote") {
                addText(QChar(0x201D));
            } else if (w == u"row") {
                paragraph();
            } else if (w == u"rtlmark") {
                addText(QChar(0x200F));
            } else if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 's':
            if (w == u"strike" || w == u"striked") {
                c.strike = on;
                setChar(c);
            } else if (w == u"super") {
                c.vertical = 1;
                setChar(c);
            } else if (w == u"sub") {
                c.vertical = -1;
                setChar(c);
            } else if (w == u"sect") {
                paragraph();
            } else if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 't':
            if (w == u"tab") {
                addText(u'\t');
            } else if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 'u':
            if (w == u"u" && hasParam) {
                if (param < -32768 || param > 65535) {
                    return;  // no such character: the fallback text stands
                }
                const char16_t unit = char16_t(param < 0 ? param + 65536 : param);
                addText(QChar(unit));
                pendingHigh_ = QChar::isHighSurrogate(unit);
                skip_ = cur_.uc;
            } else if (w == u"uc") {
                cur_.uc = clampInt(param, 0, 16);
            } else if (w == u"ul" || w == u"uld" || w == u"uldb" || w == u"ulw" || w == u"ulwave" ||
                       w == u"uldash" || w == u"ulth" || w == u"uldashd" || w == u"uldashdd" ||
                       w == u"ulhwave" || w == u"ulldash" || w == u"ulthd" || w == u"ulthdash" ||
                       w == u"ululdbwave") {
                c.underline = on;
                setChar(c);
            } else if (w == u"ulnone") {
                c.underline = false;
                setChar(c);
            } else if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 'v':
            if (w == u"v") {
                c.hidden = on;
                setChar(c);
            }
            return;
        case 'x':
        case 'o':
        case 'g':
        case 'k':
        case 'w':
            if (isSkippedDestination(w)) {
                cur_.dest = Dest::Skip;
            }
            return;
        case 'z':
            if (w == u"zwj") {
                addText(QChar(0x200D));
            } else if (w == u"zwnj") {
                addText(QChar(0x200C));
            }
            return;
        default:
            return;
    }
}

int Parser::codePage() const {
    const FontEntry* f = tables_.font(cur_.chr.font);
    if (f != nullptr && f->charset == 2) {
        return kSymbolCodePage;
    }
    if (f != nullptr && f->charset >= 0 && f->charset != 1) {
        if (const int cp = codePageOfCharset(f->charset)) {
            return cp;
        }
    }
    return ansiCodePage_;
}

void Parser::addByte(unsigned char b) {
    atGroupStart_ = false;
    pendingHigh_ = false;
    const int cp = codePage();
    if (!bytes_.isEmpty() && bytesCodePage_ != cp) {
        flushBytes();
    }
    if (bytes_.isEmpty()) {
        bytesCodePage_ = cp;
    }
    bytes_.append(char(b));
    if (isDoubleByteCodePage(cp)) {
        expectTrail_ = expectTrail_ ? false : isLeadByte(cp, b);
    }
}

void Parser::addText(QChar c) {
    atGroupStart_ = false;
    pendingHigh_ = false;
    const char16_t u = c.unicode();
    if (u >= 0x20 && u < 0x80 && !expectTrail_ && codePage() == kSymbolCodePage) {
        // Letters typed under the Symbol font are Greek and signs.
        addByte(static_cast<unsigned char>(u));
        return;
    }
    if (expectTrail_ && u >= 0x20 && u < 0x80) {
        // The trail byte of a double-byte character, written as itself.
        addByte(static_cast<unsigned char>(u));
        return;
    }
    if (u < 0x20 && u != '\t') {
        return;
    }
    flushBytes();
    text_.append(c);
}

void Parser::flushBytes() {
    if (!bytes_.isEmpty()) {
        for (const QChar c : decodeCodePage(bytesCodePage_, bytes_)) {
            if (c.unicode() >= 0x20 || c == u'\t') {
                text_.append(c);
            }
        }
        bytes_.clear();
    }
    expectTrail_ = false;
}

namespace {

// A surrogate without its partner becomes U+FFFD, so the text is valid UTF-16.
void mendSurrogates(QString& s) {
    const qsizetype n = s.size();
    QChar* d = s.data();
    for (qsizetype i = 0; i < n; ++i) {
        if (d[i].isHighSurrogate()) {
            if (i + 1 < n && d[i + 1].isLowSurrogate()) {
                ++i;
            } else {
                d[i] = QChar(0xFFFD);
            }
        } else if (d[i].isLowSurrogate()) {
            d[i] = QChar(0xFFFD);
        }
    }
}

}  // namespace

void Parser::flushText() {
    flushBytes();
    if (!text_.isEmpty()) {
        mendSurrogates(text_);
        if (!cur_.chr.hidden) {
            sink_.text(text_, cur_.chr);
        }
        text_.clear();
    }
}

void Parser::paragraph() {
    flushText();
    sink_.paragraphEnd(cur_.para, cur_.chr);
}

void Parser::fontTableWord(QStringView w, bool hasParam, int param) {
    if (w == u"f") {
        if (inFontEntry_) {
            fontTableText(u';');
        }
        fontEntry_ = FontEntry{};
        fontEntry_.number = std::max(param, 0);
        inFontEntry_ = true;
    } else if (w == u"fcharset" && hasParam) {
        fontEntry_.charset = param;
    } else if (w == u"u" && hasParam) {
        fontTableText(QChar(char16_t(std::clamp(param < 0 ? param + 65536 : param, 0, 0xFFFF))));
        skip_ = cur_.uc;
    }
}

void Parser::fontTableText(QChar c) {
    if (!inFontEntry_) {
        return;
    }
    if (c != u';') {
        if (fontEntry_.name.size() < 256) {
            fontEntry_.name.append(c);
        }
        return;
    }
    fontEntry_.name = fontEntry_.name.trimmed();
    auto it = std::find_if(tables_.fonts.begin(), tables_.fonts.end(),
                           [&](const FontEntry& f) { return f.number == fontEntry_.number; });
    if (it != tables_.fonts.end()) {
        *it = fontEntry_;
    } else if (tables_.fonts.size() < 4096) {
        tables_.fonts.push_back(fontEntry_);
    }
    inFontEntry_ = false;
}

void Parser::colorTableText(QChar c) {
    if (c != u';') {
        return;
    }
    if (tables_.colors.size() < 4096) {
        tables_.colors.push_back(colorSet_ ? QColor(red_, green_, blue_) : QColor());
    }
    red_ = green_ = blue_ = 0;
    colorSet_ = false;
}

}  // namespace wf::rtf
