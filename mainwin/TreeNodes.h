// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "Types.h"

namespace wf {

class Store;

// Pictures of the tree's nodes.
enum NodePicture {
    kNoPicture = 0,
    kArticlePicture = 1,
    kImagePicture = 2,
    kLinkPicture = 3,
    kSightingsPicture = 4
};

// One node of the tree: its key ("B25", "S25", "A7", "Birds"...), its
// parent's key (empty for the root), text and picture.
struct Node {
    QString key;
    QString parent;
    QString text;
    int picture = kNoPicture;
    // Its children are not in the list: they are asked for when the node is
    // first opened or one of them is wanted.
    bool lazy = false;
    bool operator==(const Node&) const = default;
};

// What a tree or list shows: nodes in order, and the node to make visible
// once they are all in (which opens its parents).
struct NodeList {
    std::vector<Node> nodes;
    QString visibleKey;
    // Nodes shown open (the families of a list in taxonomic order).
    std::vector<QString> openKeys;
    // For a list with lazy nodes: the children of one, in order; the
    // parent's key of a node not loaded yet (empty when it has none in this
    // list); and the whole list at once.
    std::function<std::vector<Node>(const QString& key)> children;
    std::function<QString(const QString& key)> parentOf;
    std::function<NodeList()> whole;
};

// The kind letter and picture of an entry type; an empty letter for a type
// the tree does not show.
QString entryKeyLetter(const QString& type);
int entryPicture(const QString& type);

// The subject trees: the root, each subject with something filed under it,
// its "Sightings" node first (birds), then its articles, images and links.
NodeList birdTree(const Store& store);
NodeList topicTree(const Store& store);
// The same trees as far as the subjects: each subject with something under
// it is lazy, its children given by subjectChildNodes.
NodeList subjectTreeHeads(const Store& store, Category cat);
std::vector<Node> subjectChildNodes(const Store& store, Category cat, const QString& subjectKey);
// The key of the subject node an entry or sightings node of the category's
// tree hangs under; empty when it is not in that tree.
QString treeParentKey(const Store& store, Category cat, const QString& key);

// A flat list of one entry type ("Article", "Image" or "Link"), each node
// labelled with its subject's name and its title.
NodeList entryTypeList(const Store& store, Category cat, const QString& type);

// A life list: the species seen in the area, as "S" + bird id nodes. The root
// text is rootText.
NodeList lifeListNodes(const Store& store, Area area, const QString& place,
                       const QString& rootText);

// Species seen in a year, in a month of any year, or every species once in
// the order first seen ("date, place: name"), in the area (World: place
// ignored). Nodes are keyed like a life list's.
NodeList yearListNodes(const Store& store, Area area, const QString& place, int year,
                       const QString& rootText);
NodeList monthListNodes(const Store& store, Area area, const QString& place, int month,
                        const QString& rootText);
NodeList firstSightingNodes(const Store& store, Area area, const QString& place,
                            const QString& rootText);
// The same list of rows read already (the first photographed, say).
NodeList firstSightingNodes(const std::vector<FirstSeen>& rows, const QString& rootText);

// The birds of a tree or list (the root's children, keyed "B" or "S" + bird
// id) in the world list's order, each under a node of its family ("F" +
// family, after the family's English name when there is one); birds
// without a family last, under "Other". What hangs under a bird stays
// with it. In a tree the families start closed; in a list they are open.
NodeList taxonomicOrder(const Store& store, const NodeList& list, bool listOpen);
// A family node's key and text for a bird's taxonomy (none: "Other").
QString familyKey(const Taxonomy* taxon);
QString familyText(const Taxonomy* taxon);

// The entries a custom search finds, under the root "Custom Search" (keyed
// "Birds" in both categories); nothing when it finds none.
std::optional<NodeList> searchListNodes(const Store& store, const CustomSearch& search);

}  // namespace wf
