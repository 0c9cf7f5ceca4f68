// SPDX-License-Identifier: GPL-3.0-or-later
#include "JetFormat.h"

#include <QDate>
#include <QTime>
#include <cmath>

namespace wf::jet {

QString dateText(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6) {
        return {};
    }
    const double whole = std::trunc(value);
    // Seconds of the day, rounded to the nearest second.
    qint64 seconds = std::llround(std::fabs(value - whole) * 86400.0);
    qint64 days = qint64(whole);
    if (seconds >= 86400) {  // rounding reached the next day
        seconds -= 86400;
        days += value < 0 ? -1 : 1;
    }
    const QDate day = QDate(1899, 12, 30).addDays(days);
    if (!day.isValid()) {
        return {};
    }
    const QString date = day.toString(Qt::ISODate);
    if (seconds == 0) {
        return date;
    }
    return date + u'T' + QTime(0, 0).addSecs(int(seconds)).toString(QStringLiteral("HH:mm:ss"));
}

QString text(const QByteArray& stored) {
    QByteArray utf16;
    const auto* s = reinterpret_cast<const unsigned char*>(stored.constData());
    qsizetype n = stored.size();
    if (n >= 2 && s[0] == 0xFF && s[1] == 0xFE) {
        utf16.reserve(2 * n);
        bool compressed = true;
        qsizetype i = 2;
        while (i < n) {
            if (s[i] == 0) {
                compressed = !compressed;
                ++i;
            } else if (compressed) {
                utf16.append(char(s[i]));
                utf16.append('\0');
                ++i;
            } else if (i + 1 < n) {
                utf16.append(char(s[i]));
                utf16.append(char(s[i + 1]));
                i += 2;
            } else {
                break;  // half a character at the end
            }
        }
    } else {
        utf16 = stored.left(n - n % 2);
    }
    QString out(utf16.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < out.size(); ++i) {
        out[i] = QChar(char16_t(quint8(utf16[2 * i]) | (quint8(utf16[2 * i + 1]) << 8)));
    }
    // Halves without their partner are mended, so the text is valid UTF-16.
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (out[i].isHighSurrogate() && i + 1 < out.size() && out[i + 1].isLowSurrogate()) {
            ++i;
        } else if (out[i].isSurrogate()) {
            out[i] = QChar(0xFFFD);
        }
    }
    return out;
}

}  // namespace wf::jet
