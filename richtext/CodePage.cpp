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
                out.append(QChar(0xFFFD));
                ++in;
                --inLeft;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
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
