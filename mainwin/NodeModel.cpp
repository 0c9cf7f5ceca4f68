// SPDX-License-Identifier: GPL-3.0-or-later
#include "NodeModel.h"

#include "AppError.h"
#include "Artwork.h"

namespace wf {

namespace {
const QString kSource = QStringLiteral("wingfolio.TreeView");
}  // namespace

NodeModel::NodeModel(QObject* parent) : QAbstractItemModel(parent) {
    pictures_[kArticlePicture] = artwork::icon(QStringLiteral("Article"), 16);
    pictures_[kImagePicture] = artwork::icon(QStringLiteral("Image"), 16);
    pictures_[kLinkPicture] = artwork::icon(QStringLiteral("Link"), 16);
    pictures_[kSightingsPicture] = artwork::icon(QStringLiteral("Sighting"), 16);
}

NodeModel::~NodeModel() = default;

QIcon NodeModel::picture(int index) const {
    return index > 0 && index < 5 ? pictures_[index] : QIcon();
}

NodeModel::Item* NodeModel::make(Item* parent, const Node& n) {
    if (blockUsed_ == kBlock) {
        blocks_.push_back(std::make_unique<Item[]>(kBlock));
        blockUsed_ = 0;
    }
    Item* item = &blocks_.back()[blockUsed_++];
    item->key = n.key;
    item->text = n.text;
    item->picture = n.picture;
    item->lazy = n.lazy && list_.children != nullptr;
    item->parent = parent;
    item->row = int(parent->children.size());
    lazyLeft_ += item->lazy ? 1 : 0;
    parent->children.push_back(item);
    return item;
}

NodeModel::Item* NodeModel::append(Item* parent, const Node& n) {
    Item* item = make(parent, n);
    byKey_.insert(n.key, item);
    return item;
}

void NodeModel::reset(NodeList list) {
    beginResetModel();
    root_.children.clear();
    byKey_.clear();
    blocks_.clear();
    blockUsed_ = kBlock;
    lazyLeft_ = 0;
    list_ = std::move(list);
    byKey_.reserve(qsizetype(list_.nodes.size()));
    // The nodes of a list mostly share their parent: it is looked up once
    // per run of them.
    const QString* lastParentKey = nullptr;
    Item* lastParent = nullptr;
    for (const Node& n : list_.nodes) {
        Item* parent = &root_;
        if (!n.parent.isEmpty()) {
            if (lastParentKey == nullptr || n.parent != *lastParentKey) {
                lastParent = byKey_.value(n.parent);
                // A parent not there yet may come later in the list.
                lastParentKey = lastParent != nullptr ? &n.parent : nullptr;
            }
            parent = lastParent;
            if (parent == nullptr) {
                continue;
            }
        }
        Item*& slot = byKey_[n.key];
        if (slot != nullptr) {
            continue;  // the first node of a key stands
        }
        slot = make(parent, n);
    }
    // The nodes live in the items now.
    list_.nodes.clear();
    list_.nodes.shrink_to_fit();
    endResetModel();
}

void NodeModel::load(Item* item) {
    if (!item->lazy) {
        return;
    }
    item->lazy = false;
    --lazyLeft_;
    std::vector<Node> children;
    try {
        children = list_.children(item->key);
    } catch (const AppError& e) {
        // Asked by the view as it paints: told, and the node stays empty.
        if (onLoadError) {
            onLoadError(e);
        }
    }
    std::erase_if(children, [this](const Node& n) { return byKey_.contains(n.key); });
    if (children.empty()) {
        // No children after all: the view drops the node's expander.
        const QModelIndex at = indexOf(item);
        emit dataChanged(at, at);
        return;
    }
    beginInsertRows(indexOf(item), int(item->children.size()),
                    int(item->children.size() + children.size()) - 1);
    for (const Node& n : children) {
        append(item, n);
    }
    endInsertRows();
}

void NodeModel::loadAll() {
    // Children are loaded by themselves as their parents are; a lazy node's
    // children may be lazy too.
    std::vector<Item*> pending;
    for (Item* item : std::as_const(byKey_)) {
        if (item->lazy) {
            pending.push_back(item);
        }
    }
    while (!pending.empty()) {
        Item* item = pending.back();
        pending.pop_back();
        load(item);
        for (Item* child : item->children) {
            if (child->lazy) {
                pending.push_back(child);
            }
        }
    }
}

QModelIndex NodeModel::loaded(const QString& key) const {
    const Item* item = byKey_.value(key);
    return item ? indexOf(item) : QModelIndex();
}

QModelIndex NodeModel::find(const QString& key) {
    if (Item* item = byKey_.value(key)) {
        return indexOf(item);
    }
    if (lazyLeft_ == 0 || !list_.parentOf || key.isEmpty()) {
        return {};
    }
    const QString parentKey = list_.parentOf(key);
    if (parentKey.isEmpty() || parentKey == key || !find(parentKey).isValid()) {
        return {};
    }
    load(byKey_.value(parentKey));
    return loaded(key);
}

QModelIndex NodeModel::add(const QString& parentKey, const QString& key, const QString& text,
                           int picture) {
    if (byKey_.contains(key)) {
        throw AppError(err::DuplicateNodeKey, kSource, tr("Key is not unique in collection"));
    }
    Item* parent = &root_;
    if (!parentKey.isEmpty()) {
        parent = byKey_.value(parentKey);
        if (parent == nullptr) {
            throw AppError(err::ElementNotFound, kSource, tr("Element not found"));
        }
    }
    if (parent->lazy) {
        // Its children come first; the new node may be among them already,
        // read from the journal it was just written to.
        load(parent);
        if (Item* there = byKey_.value(key)) {  // only the parent's load brings keys here
            there->text = text;
            there->picture = picture;
            const QModelIndex at = indexOf(there);
            emit dataChanged(at, at);
            return at;
        }
    }
    const int row = int(parent->children.size());
    beginInsertRows(parent == &root_ ? QModelIndex() : indexOf(parent), row, row);
    Item* item = append(parent, Node{key, parentKey, text, picture});
    endInsertRows();
    return indexOf(item);
}

void NodeModel::forget(const Item* item) {
    byKey_.remove(item->key);
    lazyLeft_ -= item->lazy ? 1 : 0;
    for (const Item* child : item->children) {
        forget(child);
    }
}

bool NodeModel::remove(const QString& key) {
    Item* item = byKey_.value(key);
    if (item == nullptr) {
        return false;
    }
    Item* parent = item->parent;
    const int row = item->row;
    beginRemoveRows(parent == &root_ ? QModelIndex() : indexOf(parent), row, row);
    forget(item);
    parent->children.erase(parent->children.begin() + row);
    for (size_t i = size_t(row); i < parent->children.size(); ++i) {
        parent->children[i]->row = int(i);
    }
    endRemoveRows();
    return true;
}

NodeModel::Item* NodeModel::itemOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<Item*>(index.internalPointer()) : nullptr;
}

QModelIndex NodeModel::indexOf(const Item* item) const {
    if (item == nullptr || item == &root_) {
        return {};
    }
    return createIndex(item->row, 0, const_cast<Item*>(item));
}

QModelIndex NodeModel::index(int row, int column, const QModelIndex& parent) const {
    const Item* p = parent.isValid() ? itemOf(parent) : &root_;
    if (column != 0 || row < 0 || size_t(row) >= p->children.size()) {
        return {};
    }
    return createIndex(row, 0, p->children[size_t(row)]);
}

QModelIndex NodeModel::parent(const QModelIndex& child) const {
    const Item* item = itemOf(child);
    return item ? indexOf(item->parent) : QModelIndex();
}

int NodeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) {
        return 0;
    }
    const Item* p = parent.isValid() ? itemOf(parent) : &root_;
    return int(p->children.size());
}

int NodeModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool NodeModel::hasChildren(const QModelIndex& parent) const {
    const Item* p = parent.isValid() ? itemOf(parent) : &root_;
    return p->lazy || !p->children.empty();
}

bool NodeModel::canFetchMore(const QModelIndex& parent) const {
    const Item* p = itemOf(parent);
    return p != nullptr && p->lazy;
}

void NodeModel::fetchMore(const QModelIndex& parent) {
    if (Item* p = itemOf(parent)) {
        load(p);
    }
}

QVariant NodeModel::data(const QModelIndex& index, int role) const {
    const Item* item = itemOf(index);
    if (item == nullptr) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:  // the whole text of a node cut short by the pane
            return item->text;
        case Qt::DecorationRole:
            return item->picture > 0 && item->picture < 5 ? QVariant(pictures_[item->picture])
                                                          : QVariant();
        case KeyRole:
            return item->key;
        default:
            return {};
    }
}

}  // namespace wf
