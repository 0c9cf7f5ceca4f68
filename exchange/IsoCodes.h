// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

namespace wf {

// Country and subdivision names for ISO 3166 codes, from Debian's iso-codes
// (its JSON files), and the continent of each country from the program's
// own table. A code the files do not know is its own name.
class IsoCodes {
  public:
    // Reads iso_3166-1.json and iso_3166-2.json in jsonDir and the continent
    // table continentsCsv. Files that cannot be read leave their names out.
    IsoCodes(const QString& jsonDir, const QString& continentsCsv);
    // Debian's iso-codes and the shipped continent table.
    static const IsoCodes& system();

    // "US" -> "United States" (the common name where the standard gives
    // one: "BO" -> "Bolivia").
    QString countryName(const QString& alpha2) const;
    // "US-NC" -> "North Carolina".
    QString subdivisionName(const QString& code) const;
    // "US" -> "North America".
    QString continent(const QString& alpha2) const;

    // Back from names, ignoring letter case (official, common and short
    // names all count); empty when none matches.
    QString countryCode(const QString& name) const;
    // Within one country: ("US", "North Carolina") -> "US-NC".
    QString subdivisionCode(const QString& alpha2, const QString& name) const;

    bool hasNames() const { return !countries_.isEmpty(); }

  private:
    QHash<QString, QString> countries_;         // code -> name
    QHash<QString, QString> countryCodes_;      // folded name -> code
    QHash<QString, QString> subdivisions_;      // code -> name
    QHash<QString, QString> subdivisionCodes_;  // "US|folded name" -> code
    QHash<QString, QString> continents_;        // code -> continent
};

}  // namespace wf
