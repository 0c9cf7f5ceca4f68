// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeNodes.h"
#include "Words.h"

#include "Store.h"
#include "Tr.h"
#include "Wildcard.h"

#include <QLocale>
#include <QStringBuilder>
#include <algorithm>
#include <unordered_map>

namespace wf {

QString entryKeyLetter(const QString& type) {
    if (type == kArticle) {
        return QStringLiteral("A");
    }
    if (type == kImage) {
        return QStringLiteral("I");
    }
    if (type == kLink) {
        return QStringLiteral("L");
    }
    return {};
}

int entryPicture(const QString& type) {
    if (type == kArticle) {
        return kArticlePicture;
    }
    if (type == kImage) {
        return kImagePicture;
    }
    if (type == kLink) {
        return kLinkPicture;
    }
    return kNoPicture;
}

namespace {

QString rootKey(Category cat) {
    return cat == Category::Birds ? QStringLiteral("Birds") : QStringLiteral("Topics");
}

QString subjectLetter(Category cat) {
    return cat == Category::Birds ? QStringLiteral("B") : QStringLiteral("T");
}

Node rootNode(Category cat) {
    return {rootKey(cat),
            {},
            cat == Category::Birds ? tr("Birds of the World") : tr("Other Topics"),
            kNoPicture};
}

// The "Sightings" node, then the entries of the types the tree shows.
void appendChildren(std::vector<Node>& out, const QString& key, const TreeSubject& s) {
    if (s.hasSightings) {
        out.push_back(
            {QStringLiteral("S") + QString::number(s.id), key, tr("Sightings"), kSightingsPicture});
    }
    for (const ListedEntry& e : s.entries) {
        const QString l = entryKeyLetter(e.type);
        if (!l.isEmpty()) {
            out.push_back({l + QString::number(e.id), key, e.title, entryPicture(e.type)});
        }
    }
}

NodeList subjectTree(const Store& store, Category cat) {
    const QString root = rootKey(cat);
    const QString letter = subjectLetter(cat);
    NodeList list;
    list.nodes.push_back(rootNode(cat));
    for (const TreeSubject& s : store.subjectTree(cat)) {
        const QString key = letter + QString::number(s.id);
        list.nodes.push_back({key, root, s.name, kNoPicture});
        if (list.visibleKey.isEmpty()) {
            list.visibleKey = key;  // the first child of the root
        }
        appendChildren(list.nodes, key, s);
    }
    return list;
}

}  // namespace

NodeList birdTree(const Store& store) {
    return subjectTree(store, Category::Birds);
}

NodeList topicTree(const Store& store) {
    return subjectTree(store, Category::Topics);
}

NodeList subjectTreeHeads(const Store& store, Category cat) {
    const QString root = rootKey(cat);
    const QString letter = subjectLetter(cat);
    NodeList list;
    const std::vector<SubjectHead> heads = store.subjectHeads(cat);
    list.nodes.reserve(heads.size() + 1);
    list.nodes.push_back(rootNode(cat));
    for (const SubjectHead& s : heads) {
        list.nodes.push_back(
            {letter + QString::number(s.id), root, s.name, kNoPicture, s.hasChildren});
    }
    if (list.nodes.size() > 1) {
        list.visibleKey = list.nodes[1].key;
    }
    return list;
}

std::vector<Node> subjectChildNodes(const Store& store, Category cat, const QString& subjectKey) {
    std::vector<Node> out;
    bool ok = false;
    const qint64 id = subjectKey.mid(1).toLongLong(&ok);
    if (!ok || !subjectKey.startsWith(subjectLetter(cat))) {
        return out;
    }
    if (const std::optional<TreeSubject> s = store.treeSubject(cat, id)) {
        appendChildren(out, subjectKey, *s);
    }
    return out;
}

QString treeParentKey(const Store& store, Category cat, const QString& key) {
    bool ok = false;
    const qint64 id = key.mid(1).toLongLong(&ok);
    if (!ok) {
        return {};
    }
    const QChar kind = key.front();
    if (kind == u'S') {
        return cat == Category::Birds ? QStringLiteral("B") + QString::number(id) : QString();
    }
    if (kind == u'A' || kind == u'I' || kind == u'L') {
        const std::optional<Entry> e = store.entry(id);
        if (e && e->catid == int(cat) && entryKeyLetter(e->type) == QString(kind)) {
            return subjectLetter(cat) + QString::number(e->subid);
        }
    }
    return {};
}

namespace {

// "A123": the key letter and the id, in one string of its length.
QString entryKey(const QString& letter, qint64 id) {
    char digits[24];
    char* end = digits + sizeof digits;
    char* p = end;
    quint64 v = id < 0 ? quint64(0) - quint64(id) : quint64(id);
    do {
        *--p = char('0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (id < 0) {
        *--p = '-';
    }
    QString key;
    key.reserve(letter.size() + (end - p));
    key.append(letter).append(QLatin1String(p, end - p));
    return key;
}

}  // namespace

NodeList entryTypeList(const Store& store, Category cat, const QString& type) {
    const bool birds = cat == Category::Birds;
    const QString root = birds ? QStringLiteral("Birds") : QStringLiteral("Topics");
    QString rootText;
    if (type == kArticle) {
        rootText = birds ? tr("Birds of the World Articles") : tr("Other Articles");
    } else if (type == kImage) {
        rootText = birds ? tr("Birds of the World Images") : tr("Other Images");
    } else {
        rootText = birds ? tr("Birds of the World Internet Links") : tr("Other Internet Links");
    }
    NodeList list;
    list.nodes.push_back({root, {}, rootText, kNoPicture});
    list.visibleKey = root;
    const QString letter = entryKeyLetter(type);
    const int picture = entryPicture(type);
    const std::vector<ListedEntry> entries = store.entryList(cat, type);
    list.nodes.reserve(entries.size() + 1);
    for (const ListedEntry& e : entries) {
        // Each string made at its length at once: lists run to tens of
        // thousands of nodes.
        list.nodes.push_back(
            {entryKey(letter, e.id), root, QString(e.subject % u' ' % e.title), picture});
    }
    if (!entries.empty()) {
        list.visibleKey = list.nodes.back().key;
    }
    return list;
}

namespace {

NodeList speciesList(const std::vector<LifeListRow>& rows, const QString& rootText) {
    NodeList list;
    const QString root = QStringLiteral("Birds");
    list.nodes.push_back({root, {}, rootText, kNoPicture});
    list.visibleKey = root;
    for (const LifeListRow& r : rows) {
        const QString key = QStringLiteral("S") + QString::number(r.birdid);
        list.nodes.push_back({key, root, r.name, kSightingsPicture});
        list.visibleKey = key;
    }
    return list;
}

}  // namespace

NodeList lifeListNodes(const Store& store, Area area, const QString& place,
                       const QString& rootText) {
    return speciesList(store.lifeList(area, place), rootText);
}

NodeList yearListNodes(const Store& store, Area area, const QString& place, int year,
                       const QString& rootText) {
    return speciesList(store.speciesSeen(area, place, year, 0), rootText);
}

NodeList monthListNodes(const Store& store, Area area, const QString& place, int month,
                        const QString& rootText) {
    return speciesList(store.speciesSeen(area, place, 0, month), rootText);
}

namespace {

// "name — date, place": the bird first, so a narrow tree still shows it.
QString firstSightingText(const FirstSeen& f) {
    QString text = f.name + QStringLiteral(" \u2014 ") +
                   (f.date.isValid() ? words::date(f.date) : tr("no date"));
    if (!f.site.trimmed().isEmpty()) {
        text += QStringLiteral(", ") + f.site.trimmed();
    }
    return text;
}

}  // namespace

NodeList firstSightingNodes(const Store& store, Area area, const QString& place,
                            const QString& rootText) {
    return firstSightingNodes(store.firstSeen(area, place), rootText);
}

NodeList firstSightingNodes(const std::vector<FirstSeen>& rows, const QString& rootText) {
    NodeList list;
    const QString root = QStringLiteral("Birds");
    list.nodes.push_back({root, {}, rootText, kNoPicture});
    list.visibleKey = root;
    for (const FirstSeen& f : rows) {
        const QString key = QStringLiteral("S") + QString::number(f.birdid);
        list.nodes.push_back({key, root, firstSightingText(f), kSightingsPicture});
        list.visibleKey = key;
    }
    return list;
}

QString familyKey(const Taxonomy* taxon) {
    return QStringLiteral("F") +
           (taxon && !taxon->family.isEmpty() ? taxon->family : QStringLiteral("Other"));
}

QString familyText(const Taxonomy* taxon) {
    if (!taxon || taxon->family.isEmpty()) {
        return tr("Other");
    }
    return taxon->familyEnglish.isEmpty()
               ? taxon->family
               : taxon->familyEnglish + QStringLiteral(" (") + taxon->family + u')';
}

NodeList taxonomicOrder(const Store& store, const NodeList& list, bool listOpen) {
    if (list.nodes.empty()) {
        return list;
    }
    const Node& root = list.nodes.front();
    std::unordered_map<qint64, Taxonomy> taxa;
    for (auto& [id, t] : store.taxonomies()) {
        taxa.emplace(id, std::move(t));
    }
    // Each bird with everything under it, in the list's order.
    struct Bird {
        std::vector<const Node*> nodes;
        const Taxonomy* taxon = nullptr;
        size_t at = 0;
    };
    std::vector<Bird> birds;
    std::unordered_map<QString, size_t> birdOf;  // node key -> its bird
    for (size_t i = 1; i < list.nodes.size(); ++i) {
        const Node& n = list.nodes[i];
        if (n.parent == root.key) {
            Bird b;
            b.at = birds.size();
            bool ok = false;
            const qint64 id = n.key.mid(1).toLongLong(&ok);
            if (const auto t = taxa.find(id);
                ok && t != taxa.end() && !t->second.family.isEmpty()) {
                b.taxon = &t->second;
            }
            b.nodes.push_back(&n);
            birdOf.emplace(n.key, birds.size());
            birds.push_back(std::move(b));
        } else if (const auto owner = birdOf.find(n.parent); owner != birdOf.end()) {
            birds[owner->second].nodes.push_back(&n);
            birdOf.emplace(n.key, owner->second);
        }
    }
    // The world list's order; birds without a family last, in the list's order.
    std::stable_sort(birds.begin(), birds.end(), [](const Bird& a, const Bird& b) {
        if ((a.taxon == nullptr) != (b.taxon == nullptr)) {
            return a.taxon != nullptr;
        }
        if (a.taxon == nullptr) {
            return false;
        }
        return a.taxon->taxonOrder < b.taxon->taxonOrder;
    });
    NodeList out;
    out.nodes.push_back(root);
    QString family;
    for (const Bird& b : birds) {
        const QString key = familyKey(b.taxon);
        if (key != family) {
            // A family's birds are together in the world list's order.
            family = key;
            out.nodes.push_back({key, root.key, familyText(b.taxon), kNoPicture});
            if (listOpen) {
                out.openKeys.push_back(key);
            }
        }
        for (const Node* n : b.nodes) {
            Node copy = *n;
            if (copy.parent == root.key) {
                copy.parent = key;
            }
            out.nodes.push_back(std::move(copy));
        }
    }
    if (listOpen) {
        out.visibleKey = list.visibleKey;
    } else {
        out.visibleKey = out.nodes.size() > 1 ? out.nodes[1].key : root.key;
    }
    // Lazy birds keep their children where they were (the whole list is
    // the caller's to order again).
    out.children = list.children;
    out.parentOf = list.parentOf;
    return out;
}

std::optional<NodeList> searchListNodes(const Store& store, const CustomSearch& search) {
    const std::vector<ListedEntry> found = store.search(search);
    if (found.empty()) {
        return std::nullopt;
    }
    NodeList list;
    const QString root = QStringLiteral("Birds");
    list.nodes.push_back({root, {}, tr("Custom Search"), kNoPicture});
    list.visibleKey = root;
    for (const ListedEntry& e : found) {
        const QString letter = entryKeyLetter(e.type);
        if (letter.isEmpty()) {
            continue;
        }
        const QString key = letter + QString::number(e.id);
        list.nodes.push_back({key, root, e.subject + u' ' + e.title, entryPicture(e.type)});
        list.visibleKey = key;
    }
    return list;
}

}  // namespace wf
