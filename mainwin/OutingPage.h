// SPDX-License-Identifier: GPL-3.0-or-later
// What an outing's node and page show: when and where, the effort, and its
// species in taxonomic order with counts, lifers and the year's firsts.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "Store.h"
#include "SubjectPage.h"
#include "TreeNodes.h"

namespace wf {

struct OutingPageData {
    Outing outing;
    std::vector<OutingSpecies> species;
    // Its name and what is filed under it: articles, pictures, links.
    SubjectPageData filed;
};

// Reads an outing's page; nothing when the outing is gone.
std::optional<OutingPageData> outingPage(const Store& store, qint64 id);

// "3 May 2026 — Rutland Water (41 species)".
QString outingNodeText(const ListedOuting& o);

// The page as HTML; the map of its place, when it has coordinates, is the
// image "page:map", its pictures' thumbnails those of entriesHtml.
QString outingPageHtml(const OutingPageData& page);

// The Outings list: under a root keyed "Outings", a node for each year
// with outings, newest first, keyed "Y2026" ("Y0" for the undated); under
// each its outings, newest first, keyed "O12", and what is filed under an
// outing beneath it. The newest year is read at once and shown open; the
// others are lazy, read by outingYearNodes when opened.
NodeList outingListNodes(const Store& store);
std::vector<Node> outingYearNodes(const Store& store, const QString& yearKey);
// The key of the node a node of the Outings list hangs under; empty when it
// is not one of the list.
QString outingParentKey(const Store& store, const QString& key);

}  // namespace wf
