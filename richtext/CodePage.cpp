// SPDX-License-Identifier: GPL-3.0-or-later
#include "CodePage.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <map>
#include <mutex>

namespace wf::rtf {

namespace {

// Bytes 0x80-0x9F of code page 1252; the rest of the upper half is Latin-1.
constexpr char16_t k1252High[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// The Symbol font's bytes 0x20-0xFF (Adobe's mapping; 0x7F, 0x80-0x9F and
// 0xF0, 0xFF carry nothing).
// clang-format off
constexpr char16_t kSymbol[224] = {
    // 0x20
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B,
    0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    // 0x40
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,
    0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,
    0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,
    // 0x60
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9,
    0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0xFFFD,
    // 0x80
    0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,
    0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,
    0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,
    0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,
    // 0xA0
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663,
    0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,
    // 0xC0
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,
    0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,
    0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    // 0xE0
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,
    0xFFFD, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,
    0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0xFFFD,
};
// clang-format on

QString decodeSymbol(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        out.append(QChar(u < 0x20 ? char16_t(u) : kSymbol[u - 0x20]));
    }
    return out;
}

const char* iconvName(int codePage) {
    switch (codePage) {
        case 437:
            return "CP437";
        case 850:
            return "CP850";
        case 874:
            return "CP874";
        case 932:
            return "CP932";
        case 936:
            return "CP936";
        case 949:
            return "CP949";
        case 950:
            return "CP950";
        case 1250:
            return "CP1250";
        case 1251:
            return "CP1251";
        case 1253:
            return "CP1253";
        case 1254:
            return "CP1254";
        case 1255:
            return "CP1255";
        case 1256:
            return "CP1256";
        case 1257:
            return "CP1257";
        case 1258:
            return "CP1258";
        case 1361:
            return "JOHAB";
        case 10000:
            return "MACINTOSH";
        default:
            return nullptr;
    }
}

QString decode1252(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *d++ = QChar(b >= 0x80 && b < 0xA0 ? k1252High[b - 0x80] : char16_t(b));
    }
    return out;
}

// One conversion to UTF-16 for each code page, opened when first needed.
class Converters {
  public:
    ~Converters() {
        for (auto& [cp, cd] : open_) {
            iconv_close(cd);
        }
    }
    QString decode(int codePage, const QByteArray& bytes) {
        const std::lock_guard<std::mutex> lock(mutex_);
        iconv_t cd = converter(codePage);
        if (cd == iconv_t(-1)) {
            return decode1252(bytes);
        }
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        QString out;
        out.reserve(bytes.size());
        char* in = const_cast<char*>(bytes.constData());
        size_t inLeft = size_t(bytes.size());
        std::array<char16_t, 256> buf;
        // Code pages with combining marks (1255, 1258) hold a letter back
        // until they see what follows it: what is held is written out at the
        // end of the run, and before the converter is reset.
        const auto flush = [&] {
            char* outp = reinterpret_cast<char*>(buf.data());
            size_t outLeft = sizeof(buf);
            iconv(cd, nullptr, nullptr, &outp, &outLeft);
            out.append(reinterpret_cast<const QChar*>(buf.data()),
                       qsizetype((sizeof(buf) - outLeft) / sizeof(char16_t)));
        };
        while (inLeft > 0) {
            char* outp = reinterpret_cast<char*>(buf.data());
            size_t outLeft = sizeof(buf);
            const size_t r = iconv(cd, &in, &inLeft, &outp, &outLeft);
            out.append(reinterpret_cast<const QChar*>(buf.data()),
                       qsizetype((sizeof(buf) - outLeft) / sizeof(char16_t)));
            if (r == size_t(-1)) {
                if (errno == E2BIG) {
                    continue;
                }
                // An invalid or incomplete sequence: one replacement, one byte on.
                flush();
                out.append(QChar(0xFFFD));
                ++in;
                --inLeft;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        flush();
        return out;
    }

  private:
    iconv_t converter(int codePage) {
        auto it = open_.find(codePage);
        if (it != open_.end()) {
            return it->second;
        }
        const char* name = iconvName(codePage);
        iconv_t cd = name ? iconv_open("UTF-16LE", name) : iconv_t(-1);
        open_.emplace(codePage, cd);
        return cd;
    }

    std::mutex mutex_;
    std::map<int, iconv_t> open_;
};

Converters& converters() {
    static Converters c;
    return c;
}

}  // namespace

bool isDoubleByteCodePage(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 ||
           codePage == 1361;
}

bool isLeadByte(int codePage, unsigned char b) {
    switch (codePage) {
        case 932:
            return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        case 936:
        case 949:
        case 950:
            return b >= 0x81 && b <= 0xFE;
        case 1361:
            return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xF9);
        default:
            return false;
    }
}

QString decodeCodePage(int codePage, const QByteArray& bytes) {
    if (codePage == kSymbolCodePage) {
        return decodeSymbol(bytes);
    }
    if (codePage == 1252 || iconvName(codePage) == nullptr) {
        return decode1252(bytes);
    }
    return converters().decode(codePage, bytes);
}

int codePageOfCharset(int charset) {
    switch (charset) {
        case 0:
            return 1252;
        case 77:
            return 10000;
        case 128:
            return 932;
        case 129:
            return 949;
        case 130:
            return 1361;
        case 134:
            return 936;
        case 136:
            return 950;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 222:
            return 874;
        case 238:
            return 1250;
        case 254:
            return 437;
        case 255:
            return 850;
        default:
            return 0;
    }
}

int cp1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return c;
    }
    for (int i = 0; i < 32; ++i) {
        if (k1252High[i] == c && c != 0xFFFD) {
            return 0x80 + i;
        }
    }
    return -1;
}

}  // namespace wf::rtf
