// SPDX-License-Identifier: GPL-3.0-or-later
#include "NodeTree.h"

#include <QTimer>
#include <QTreeWidget>

#include "AppError.h"
#include "Artwork.h"

namespace wf {

namespace {
const QString kSource = QStringLiteral("wingfolio.TreeView");
constexpr int kKeyRole = Qt::UserRole;
}  // namespace

NodeTree::NodeTree(QTreeWidget* tree) : tree_(tree) {
    pictures_[kArticlePicture] = artwork::icon(QStringLiteral("Article"), 16);
    pictures_[kImagePicture] = artwork::icon(QStringLiteral("Image"), 16);
    pictures_[kLinkPicture] = artwork::icon(QStringLiteral("Link"), 16);
    pictures_[kSightingsPicture] = artwork::icon(QStringLiteral("Sighting"), 16);
}

QIcon NodeTree::picture(int index) const {
    return index > 0 && index < 5 ? pictures_[index] : QIcon();
}

QString NodeTree::keyOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kKeyRole).toString() : QString();
}

QTreeWidgetItem* NodeTree::makeItem(const QString& key, const QString& text, int picture) const {
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, kKeyRole, key);
    if (picture > 0 && picture < 5) {
        item->setIcon(0, pictures_[picture]);
    }
    return item;
}

void NodeTree::clear() {
    items_.clear();
    tree_->clear();
}

void NodeTree::show(const NodeList& list) {
    tree_->setUpdatesEnabled(false);
    clear();
    // Build the items detached, then hand them to the view in one go.
    QList<QTreeWidgetItem*> roots;
    items_.reserve(qsizetype(list.nodes.size()));
    for (const Node& n : list.nodes) {
        if (items_.contains(n.key)) {
            continue;
        }
        QTreeWidgetItem* parent = n.parent.isEmpty() ? nullptr : items_.value(n.parent);
        if (!n.parent.isEmpty() && parent == nullptr) {
            continue;
        }
        QTreeWidgetItem* item = makeItem(n.key, n.text, n.picture);
        if (parent) {
            parent->addChild(item);
        } else {
            roots.push_back(item);
        }
        items_.insert(n.key, item);
    }
    tree_->addTopLevelItems(roots);
    tree_->collapseAll();
    for (const QString& key : list.openKeys) {
        if (QTreeWidgetItem* item = items_.value(key)) {
            item->setExpanded(true);
        }
    }
    if (!list.visibleKey.isEmpty()) {
        ensureVisible(list.visibleKey);
    }
    tree_->setUpdatesEnabled(true);
}

QTreeWidgetItem* NodeTree::add(const QString& parentKey, const QString& key, const QString& text,
                               int picture) {
    if (items_.contains(key)) {
        throw AppError(err::DuplicateNodeKey, kSource,
                       QStringLiteral("Key is not unique in collection"));
    }
    QTreeWidgetItem* parent = nullptr;
    if (!parentKey.isEmpty()) {
        parent = items_.value(parentKey);
        if (parent == nullptr) {
            throw AppError(err::ElementNotFound, kSource, QStringLiteral("Element not found"));
        }
    }
    QTreeWidgetItem* item = makeItem(key, text, picture);
    if (parent) {
        parent->addChild(item);
    } else {
        tree_->addTopLevelItem(item);
    }
    items_.insert(key, item);
    return item;
}

void NodeTree::forget(QTreeWidgetItem* item) {
    items_.remove(keyOf(item));
    for (int i = 0; i < item->childCount(); ++i) {
        forget(item->child(i));
    }
}

bool NodeTree::remove(const QString& key) {
    QTreeWidgetItem* item = items_.value(key);
    if (item == nullptr) {
        return false;
    }
    forget(item);
    delete item;  // a QTreeWidgetItem leaves its parent and view when deleted
    return true;
}

void NodeTree::ensureVisible(const QString& key) {
    QTreeWidgetItem* item = items_.value(key);
    if (item == nullptr) {
        return;
    }
    for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) {
        p->setExpanded(true);
    }
    // Scroll once the window has laid the tree out at its real size.
    QTimer::singleShot(0, tree_, [this, key] {
        if (QTreeWidgetItem* again = items_.value(key)) {
            tree_->scrollToItem(again);
        }
    });
}

void NodeTree::expandAll() {
    tree_->expandAll();
}

void NodeTree::collapseAll() {
    tree_->collapseAll();
}

}  // namespace wf
