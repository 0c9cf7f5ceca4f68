// SPDX-License-Identifier: GPL-3.0-or-later
// Which shape of the map a sighting's country is. Sightings hold country
// names as they were typed; eBird records hold ISO codes. Both are matched
// through Debian's iso-codes (alpha-2, alpha-3, numeric, the name, the
// official and the common name), and through the shapes' own names,
// ignoring letter case, accents and dots; the user's aliases ("England" ->
// United Kingdom) come first.
#pragma once

#include <QHash>
#include <QString>
#include <vector>

namespace wf::maps {

struct Country;

class CountryMatcher {
  public:
    // isoJson: iso_3166-1.json; the shapes the names are matched to.
    CountryMatcher(const QString& isoJson, const std::vector<Country>& shapes);
    // With Debian's iso-codes.
    explicit CountryMatcher(const std::vector<Country>& shapes);

    // Adds an alias: sightings named alias are in the country named (or
    // coded) target. False when target is no country.
    bool addAlias(const QString& alias, const QString& target);
    // The key of the shape (Country::key) of a country as typed; empty
    // when none matches.
    QString match(const QString& typed) const;

    // Case, accents, dots and extra blanks folded away: "Côte d'Ivoire" and
    // "cote d'ivoire" are one.
    static QString fold(const QString& name);

  private:
    QHash<QString, QString> keys_;     // folded name or code -> shape key
    QHash<QString, QString> aliases_;  // folded alias -> shape key
};

}  // namespace wf::maps
