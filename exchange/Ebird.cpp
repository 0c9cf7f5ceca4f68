// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ebird.h"
#include "Tr.h"

#include <QRegularExpression>
#include <QStringView>

namespace wf::ebird {

namespace {

// The text with every (...) and [...] part taken out.
QString outsideBrackets(const QString& s) {
    QString out;
    int depth = 0;
    for (const QChar c : s) {
        if (c == u'(' || c == u'[') {
            ++depth;
        } else if ((c == u')' || c == u']') && depth > 0) {
            --depth;
        } else if (depth == 0) {
            out += c;
        }
    }
    return out.simplified();
}

QString number(double v) {
    QString s = QString::number(v, 'f', 3);
    while (s.endsWith(u'0')) {
        s.chop(1);
    }
    if (s.endsWith(u'.')) {
        s.chop(1);
    }
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QString converted(const QString& text, double factor) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? number(v * factor) : QString();
}

}  // namespace

QString kindName(Kind kind) {
    switch (kind) {
        case Kind::Species:
            return QStringLiteral("species");
        case Kind::Spuh:
            return QStringLiteral("sp.");
        case Kind::Slash:
            return QStringLiteral("slash");
        case Kind::Hybrid:
            return QStringLiteral("hybrid");
        case Kind::Domestic:
            return QStringLiteral("domestic");
        case Kind::NoName:
            return wf::tr("no name");
    }
    return {};
}

Taxon classify(const QString& commonName, const QString& scientificName) {
    Taxon t;
    const QString common = commonName.simplified();
    const QString scientific = scientificName.simplified();
    const QString commonOutside = outsideBrackets(common);
    const QString scientificOutside = outsideBrackets(scientific);
    const QStringList words = scientificOutside.split(u' ', Qt::SkipEmptyParts);

    if (common.isEmpty() && scientific.isEmpty()) {
        t.kind = Kind::NoName;
    } else if (common.contains(QLatin1String("domestic type"), Qt::CaseInsensitive) ||
               scientific.contains(QLatin1String("domestic type"), Qt::CaseInsensitive)) {
        t.kind = Kind::Domestic;
    } else if (words.contains(QLatin1String("sp.")) ||
               commonOutside.endsWith(QLatin1String(" sp.")) ||
               commonOutside == QLatin1String("sp.")) {
        t.kind = Kind::Spuh;
    } else if (common.contains(QLatin1String("(hybrid)"), Qt::CaseInsensitive) ||
               commonOutside.contains(QLatin1String(" x ")) ||
               (words.size() > 2 && words[2] == QLatin1String("x"))) {
        // A cross between subspecies groups inside the brackets (an
        // intergrade) is still the species.
        t.kind = Kind::Hybrid;
    } else if (commonOutside.contains(u'/') ||
               (words.size() >= 2 && (words[0].contains(u'/') || words[1].contains(u'/')))) {
        t.kind = Kind::Slash;
    }
    if (t.kind != Kind::Species) {
        t.common = common;
        t.scientific = scientific;
        return t;
    }
    t.common = commonOutside;
    t.scientific = words.size() >= 2 ? words[0] + u' ' + words[1] : scientificOutside;
    // The group as the common name gives it, else the rest of the
    // scientific name ("[auratus Group]", a subspecies).
    static const QRegularExpression bracket(QStringLiteral("\\([^)]*\\)|\\[[^\\]]*\\]"));
    const bool bracketed = common.contains(u'(') || common.contains(u'[');
    if (const auto m = bracketed ? bracket.match(common) : QRegularExpressionMatch();
        bracketed && m.hasMatch()) {
        t.group = m.captured(0);
    } else if (scientific.size() > t.scientific.size() &&
               scientific.startsWith(t.scientific, Qt::CaseInsensitive)) {
        t.group = scientific.mid(t.scientific.size()).trimmed();
    }
    return t;
}

QString notes(const QString& group, const QString& details) {
    if (group.isEmpty()) {
        return details;
    }
    return details.isEmpty() ? group : group + u' ' + details;
}

namespace {

// The number written by the digits text[from, from + len), or -1.
int digits(QStringView text, qsizetype from, qsizetype len) {
    int v = 0;
    for (qsizetype i = from; i < from + len; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') {
            return -1;
        }
        v = v * 10 + (c - u'0');
    }
    return v;
}

}  // namespace

QDate parseDate(const QString& text) {
    const QStringView t = QStringView(text).trimmed();
    if (t.size() != 10 || t[4] != u'-' || t[7] != u'-') {
        return {};
    }
    const int y = digits(t, 0, 4);
    const int m = digits(t, 5, 2);
    const int d = digits(t, 8, 2);
    return y < 0 || m < 0 || d < 0 ? QDate() : QDate(y, m, d);
}

QTime parseTime(const QString& text) {
    QStringView t = QStringView(text).trimmed();
    // "07:15 AM", "7:15 PM", "19:15", "19:15:30"
    int hourOffset = -1;
    if (t.size() >= 2 &&
        (t.endsWith(u"AM", Qt::CaseInsensitive) || t.endsWith(u"PM", Qt::CaseInsensitive))) {
        hourOffset = t[t.size() - 2].toUpper() == u'P' ? 12 : 0;
        t = t.chopped(2).trimmed();
    }
    const qsizetype colon = t.indexOf(u':');
    if (colon < 1 || colon > 2 || t.size() < colon + 3) {
        return {};
    }
    int h = digits(t, 0, colon);
    const int m = digits(t, colon + 1, 2);
    int sec = 0;
    if (t.size() == colon + 6 && t[colon + 3] == u':') {
        sec = digits(t, colon + 4, 2);
    } else if (t.size() != colon + 3) {
        return {};
    }
    if (h < 0 || m < 0 || sec < 0) {
        return {};
    }
    if (hourOffset >= 0) {
        if (h < 1 || h > 12) {
            return {};
        }
        h = h % 12 + hourOffset;
    }
    return QTime(h, m, sec);  // null when out of range
}

QString uploadProtocol(const QString& protocol) {
    static const std::pair<const char*, const char*> kNames[] = {
        {"eBird - Traveling Count", "Traveling"},
        {"eBird - Stationary Count", "Stationary"},
        {"eBird - Casual Observation", "Incidental"},
        {"eBird - Exhaustive Area Count", "Area"},
        {"Historical", "Historical"},
        {"Incidental", "Incidental"},
    };
    for (const auto& [from, to] : kNames) {
        if (protocol.compare(QLatin1String(from), Qt::CaseInsensitive) == 0) {
            return QString::fromLatin1(to);
        }
    }
    return protocol;
}

QString kmToMiles(const QString& km) {
    return converted(km, 1.0 / 1.609344);
}

QString hectaresToAcres(const QString& ha) {
    return converted(ha, 2.4710538146717);
}

}  // namespace wf::ebird
