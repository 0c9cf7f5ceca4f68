// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeNodes.h"

#include "Store.h"

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

NodeList subjectTree(const Store& store, Category cat) {
    const bool birds = cat == Category::Birds;
    const QString root = birds ? QStringLiteral("Birds") : QStringLiteral("Topics");
    const QString letter = birds ? QStringLiteral("B") : QStringLiteral("T");
    NodeList list;
    list.nodes.push_back(
        {root,
         {},
         birds ? QStringLiteral("Birds of the World") : QStringLiteral("Other Topics"),
         kNoPicture});
    for (const TreeSubject& s : store.subjectTree(cat)) {
        const QString key = letter + QString::number(s.id);
        list.nodes.push_back({key, root, s.name, kNoPicture});
        if (list.visibleKey.isEmpty()) {
            list.visibleKey = key;  // the first child of the root
        }
        if (s.hasSightings) {
            list.nodes.push_back({QStringLiteral("S") + QString::number(s.id), key,
                                  QStringLiteral("Sightings"), kSightingsPicture});
        }
        for (const ListedEntry& e : s.entries) {
            const QString l = entryKeyLetter(e.type);
            if (!l.isEmpty()) {
                list.nodes.push_back(
                    {l + QString::number(e.id), key, e.title, entryPicture(e.type)});
            }
        }
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

NodeList entryTypeList(const Store& store, Category cat, const QString& type) {
    const bool birds = cat == Category::Birds;
    const QString root = birds ? QStringLiteral("Birds") : QStringLiteral("Topics");
    QString rootText;
    if (type == kArticle) {
        rootText = birds ? QStringLiteral("Birds of the World Articles")
                         : QStringLiteral("Other Articles");
    } else if (type == kImage) {
        rootText =
            birds ? QStringLiteral("Birds of the World Images") : QStringLiteral("Other Images");
    } else {
        rootText = birds ? QStringLiteral("Birds of the World Internet Links")
                         : QStringLiteral("Other Internet Links");
    }
    NodeList list;
    list.nodes.push_back({root, {}, rootText, kNoPicture});
    list.visibleKey = root;
    const QString letter = entryKeyLetter(type);
    for (const ListedEntry& e : store.entryList(cat, type)) {
        const QString key = letter + QString::number(e.id);
        list.nodes.push_back({key, root, e.subject + u' ' + e.title, entryPicture(type)});
        list.visibleKey = key;
    }
    return list;
}

NodeList lifeListNodes(const Store& store, Area area, const QString& place,
                       const QString& rootText) {
    NodeList list;
    const QString root = QStringLiteral("Birds");
    list.nodes.push_back({root, {}, rootText, kNoPicture});
    list.visibleKey = root;
    for (const LifeListRow& r : store.lifeList(area, place)) {
        const QString key = QStringLiteral("S") + QString::number(r.birdid);
        list.nodes.push_back({key, root, r.name, kSightingsPicture});
        list.visibleKey = key;
    }
    return list;
}

std::optional<NodeList> searchListNodes(const Store& store, const CustomSearch& search) {
    const std::vector<ListedEntry> found = store.search(search);
    if (found.empty()) {
        return std::nullopt;
    }
    NodeList list;
    const QString root = QStringLiteral("Birds");
    list.nodes.push_back({root, {}, QStringLiteral("Custom Search"), kNoPicture});
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
