// SPDX-License-Identifier: GPL-3.0-or-later
#include "IsoCodes.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "Csv.h"
#include "Resources.h"

namespace wf {

namespace {

QJsonArray readList(const QString& path, const QString& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QJsonDocument::fromJson(file.readAll()).object().value(key).toArray();
}

}  // namespace

IsoCodes::IsoCodes(const QString& jsonDir, const QString& continentsCsv) {
    const QDir dir(jsonDir);
    for (const QJsonValue& v :
         readList(dir.filePath(QStringLiteral("iso_3166-1.json")), QStringLiteral("3166-1"))) {
        const QJsonObject o = v.toObject();
        const QString code = o.value(QLatin1String("alpha_2")).toString();
        const QString name = o.value(QLatin1String("name")).toString();
        const QString common = o.value(QLatin1String("common_name")).toString();
        const QString official = o.value(QLatin1String("official_name")).toString();
        if (code.isEmpty() || name.isEmpty()) {
            continue;
        }
        countries_.insert(code, common.isEmpty() ? name : common);
        for (const QString& n : {name, common, official}) {
            if (!n.isEmpty()) {
                countryCodes_.insert(n.toCaseFolded(), code);
            }
        }
    }
    for (const QJsonValue& v :
         readList(dir.filePath(QStringLiteral("iso_3166-2.json")), QStringLiteral("3166-2"))) {
        const QJsonObject o = v.toObject();
        const QString code = o.value(QLatin1String("code")).toString();
        const QString name = o.value(QLatin1String("name")).toString();
        if (code.isEmpty() || name.isEmpty()) {
            continue;
        }
        subdivisions_.insert(code, name);
        subdivisionCodes_.insert(code.section(u'-', 0, 0) + u'|' + name.toCaseFolded(), code);
    }
    QFile file(continentsCsv);
    if (file.open(QIODevice::ReadOnly)) {
        const CsvTable table = parseCsv(QString::fromUtf8(file.readAll()));
        for (const QStringList& row : table.rows) {
            if (row.size() >= 2) {
                continents_.insert(row[0], row[1]);
            }
        }
    }
}

const IsoCodes& IsoCodes::system() {
    static const IsoCodes codes(QStringLiteral("/usr/share/iso-codes/json"), continentsPath());
    return codes;
}

QString IsoCodes::countryName(const QString& alpha2) const {
    return countries_.value(alpha2.toUpper(), alpha2);
}

QString IsoCodes::subdivisionName(const QString& code) const {
    return subdivisions_.value(code.toUpper(), code);
}

QString IsoCodes::continent(const QString& alpha2) const {
    return continents_.value(alpha2.toUpper());
}

QString IsoCodes::countryCode(const QString& name) const {
    if (const auto it = countryCodes_.constFind(name.toCaseFolded()); it != countryCodes_.cend()) {
        return *it;
    }
    // A name that is a code already (written where no name was known).
    const QString upper = name.trimmed().toUpper();
    const bool isCode = upper.size() == 2 && upper[0].isLetter() && upper[1].isLetter();
    return isCode ? upper : QString();
}

QString IsoCodes::subdivisionCode(const QString& alpha2, const QString& name) const {
    const QString key = alpha2.toUpper() + u'|' + name.toCaseFolded();
    if (const auto it = subdivisionCodes_.constFind(key); it != subdivisionCodes_.cend()) {
        return *it;
    }
    // A code already (one the files do not know is written as its name).
    const QString upper = name.trimmed().toUpper();
    return upper.startsWith(alpha2.toUpper() + u'-') ? upper : QString();
}

}  // namespace wf
