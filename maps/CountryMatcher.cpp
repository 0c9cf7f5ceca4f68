// SPDX-License-Identifier: GPL-3.0-or-later
#include "CountryMatcher.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include "WorldShapes.h"

namespace wf::maps {

QString CountryMatcher::fold(const QString& name) {
    const QString decomposed = name.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    bool space = false;
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing || c == u'.') {
            continue;
        }
        if (c.isSpace() || c == u'-') {
            space = !out.isEmpty();
            continue;
        }
        if (space) {
            out += u' ';
            space = false;
        }
        out += c;
    }
    return out.toCaseFolded();
}

CountryMatcher::CountryMatcher(const std::vector<Country>& shapes)
    : CountryMatcher(QStringLiteral("/usr/share/iso-codes/json/iso_3166-1.json"), shapes) {}

CountryMatcher::CountryMatcher(const QString& isoJson, const std::vector<Country>& shapes) {
    QSet<QString> numeric;
    for (const Country& c : shapes) {
        keys_.insert(fold(c.name), c.key());
        if (!c.id.isEmpty()) {
            numeric.insert(c.id);
        }
    }
    QFile file(isoJson);
    if (!file.open(QIODevice::ReadOnly)) {
        return;  // the shapes' own names still match
    }
    const QJsonArray list =
        QJsonDocument::fromJson(file.readAll()).object().value(QLatin1String("3166-1")).toArray();
    for (const QJsonValue& v : list) {
        const QJsonObject o = v.toObject();
        // The shapes give the code without leading zeros' loss: "036".
        const QString code = o.value(QLatin1String("numeric")).toString();
        if (!numeric.contains(code)) {
            continue;  // too small for the map, or not drawn apart
        }
        for (const char* field :
             {"alpha_2", "alpha_3", "numeric", "name", "official_name", "common_name"}) {
            const QString value = o.value(QLatin1String(field)).toString();
            if (!value.isEmpty()) {
                keys_.insert(fold(value), code);
            }
        }
    }
}

bool CountryMatcher::addAlias(const QString& alias, const QString& target) {
    const QString key = match(target);
    if (key.isEmpty() || fold(alias).isEmpty()) {
        return false;
    }
    aliases_.insert(fold(alias), key);
    return true;
}

QString CountryMatcher::match(const QString& typed) const {
    const QString folded = fold(typed);
    if (const auto a = aliases_.constFind(folded); a != aliases_.constEnd()) {
        return *a;
    }
    return keys_.value(folded);
}

}  // namespace wf::maps
