// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace wf::ebird {

// What a record of "My eBird Data" names: one species, or something that is
// not one species and never counts on a life list.
// A record that names nothing (both names empty) is no sighting either.
enum class Kind { Species, Spuh, Slash, Hybrid, Domestic, NoName };
QString kindName(Kind kind);  // "sp.", "slash", "hybrid", "domestic", "no name"

// The species a record names, with the subspecies group or form it was
// filed under: "Northern Flicker (Yellow-shafted)", "Colaptes auratus
// [auratus Group]" -> "Northern Flicker", "Colaptes auratus", group
// "(Yellow-shafted)".
struct Taxon {
    Kind kind = Kind::Species;
    QString common;
    QString scientific;
    QString group;  // empty for the species itself
};
Taxon classify(const QString& commonName, const QString& scientificName);

// A sighting's notes as the import writes them: the group the record was
// filed under, then its observation details.
QString notes(const QString& group, const QString& details);

// "2024-03-21"; a null date for anything else.
QDate parseDate(const QString& text);
// "07:15 AM", "7:15 PM" or "19:15"; a null time for anything else.
QTime parseTime(const QString& text);

// The protocol names of eBird's upload format for those of its download
// ("eBird - Traveling Count" -> "Traveling"); others stay as they are.
QString uploadProtocol(const QString& protocol);

// The number as the upload format writes effort: up to three decimals, no
// trailing zeros ("1.609" km -> "1"). Empty for an empty or unreadable value.
QString kmToMiles(const QString& km);
QString hectaresToAcres(const QString& ha);

}  // namespace wf::ebird
