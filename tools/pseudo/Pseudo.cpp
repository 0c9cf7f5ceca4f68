// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pseudo.h"

#include <QStringList>

namespace wf::pseudo {

namespace {

QChar accented(QChar c) {
    static const QString plain = QStringLiteral("aceinorsuyzACEINORSUYZ");
    static const QString marked = QStringLiteral(
        "\u00e1\u00e7\u00e9\u00ee\u00f1\u00f6\u0155\u0161\u00fc\u00fd\u017e"
        "\u00c5\u00c7\u00c9\u00ce\u00d1\u00d6\u0154\u0160\u00dc\u00dd\u017d");
    const qsizetype at = plain.indexOf(c);
    return at < 0 ? c : marked[at];
}

// One piece without tabs or ";;": its words accented, the rest kept.
QString accent(const QString& s, int& letters) {
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'%' && i + 1 < s.size() &&
            (s[i + 1].isDigit() || s[i + 1] == u'n' || s[i + 1] == u'L' || s[i + 1] == u'%')) {
            out += c;
            while (i + 1 < s.size() && (s[i + 1].isDigit() || s[i + 1] == u'n' ||
                                        s[i + 1] == u'L' || s[i + 1] == u'%')) {
                out += s[++i];
                if (s[i] == u'%' || s[i] == u'n') {
                    break;
                }
            }
        } else if (c == u'<' && s.indexOf(u'>', i) > i) {
            const qsizetype end = s.indexOf(u'>', i);
            out += s.mid(i, end - i + 1);
            i = end;
        } else if (c == u'&' && i + 1 < s.size() && s[i + 1].isLetter()) {
            const qsizetype semi = s.indexOf(u';', i);
            if (semi > i && semi - i <= 8 && s.mid(i + 1, semi - i - 1).isLower()) {
                out += s.mid(i, semi - i + 1);  // an entity, &amp;
                i = semi;
            } else {
                out += c;  // a mnemonic: its letter stays typable
                out += s[++i];
                ++letters;
            }
        } else if (c == u'(' && i + 1 < s.size() && s[i + 1] == u'*') {
            const qsizetype end = s.indexOf(u')', i);
            const qsizetype stop = end < 0 ? s.size() - 1 : end;
            out += s.mid(i, stop - i + 1);  // a file pattern, (*.csv)
            i = stop;
        } else {
            if (c.isLetter()) {
                ++letters;
            }
            out += accented(c);
        }
    }
    return out;
}

// The piece bracketed and made 40% longer, its spaces at either end kept
// outside (texts joined to others keep their spacing).
QString wrap(const QString& s) {
    int letters = 0;
    const QString body = accent(s, letters);
    if (letters == 0) {
        return s;
    }
    qsizetype lead = 0;
    while (lead < body.size() && body[lead].isSpace()) {
        ++lead;
    }
    qsizetype trail = 0;
    while (trail < body.size() - lead && body[body.size() - 1 - trail].isSpace()) {
        ++trail;
    }
    const int length = int(s.trimmed().size());
    const int extra = std::max(0, (length * 4 + 9) / 10 - 2);
    return body.left(lead) + u'[' + body.mid(lead, body.size() - lead - trail) +
           QString(extra, u'~') + u']' + body.right(trail);
}

}  // namespace

QString translate(const QString& source) {
    // A shortcut after a tab ("&Delete\tDel") is the key's name: kept.
    const qsizetype tab = source.indexOf(u'\t');
    if (tab >= 0) {
        return translate(source.left(tab)) + source.mid(tab);
    }
    // File dialog filters: each "Name (*.x)" part on its own.
    if (source.contains(QLatin1String(";;"))) {
        QStringList parts = source.split(QStringLiteral(";;"));
        for (QString& p : parts) {
            p = translate(p);
        }
        return parts.join(QStringLiteral(";;"));
    }
    if (source.contains(QLatin1String("(*"))) {
        const qsizetype open = source.indexOf(QLatin1String("(*"));
        return wrap(source.left(open).trimmed()) + u' ' + source.mid(open);
    }
    return wrap(source);
}

}  // namespace wf::pseudo
