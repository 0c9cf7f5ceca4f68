// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmRelated.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "AppError.h"
#include "AppState.h"
#include "Artwork.h"
#include "MainWindowApi.h"

namespace wf {

namespace {

constexpr int kKeyRole = Qt::UserRole;

QIcon pictureOf(const QString& key) {
    static const char* const names[] = {"Article", "Image", "Link", "Sighting"};
    const int i = QStringLiteral("AILS").indexOf(key.left(1));
    return i >= 0 ? artwork::icon(QString::fromLatin1(names[i]), 16) : QIcon();
}

}  // namespace

frmRelated::frmRelated(AppState& state, MainWindowApi& main, QWidget* parent)
    : QDialog(parent), state_(state), main_(main), tv2_(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("frmRelated"));
    setWindowTitle(tr("Related Entries"));
    setWindowIcon(artwork::icon(QStringLiteral("Related")));
    tv2_->setObjectName(QStringLiteral("tv2"));
    tv2_->setHeaderHidden(true);
    tv2_->setMinimumSize(380, 300);
    connect(tv2_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { tv2_NodeClick(item); });
    auto* cmdClose = new QPushButton(tr("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tv2_, 1);
    layout->addLayout(buttons);
    build();
}

void frmRelated::build() {
    const Store& db = state_.db();
    try {
        qint64 subid = 0;
        Category cat = state_.category();
        const bool fromSightings = state_.CurrentEntryKind == QLatin1String("S");
        if (fromSightings) {
            const std::vector<Sighting> rows = db.sightingsOf(state_.CurrentEntryId);
            if (rows.empty()) {
                return;
            }
            subid = rows.front().birdid;
            cat = Category::Birds;
        } else {
            const std::optional<Entry> e = db.entry(state_.CurrentEntryId);
            if (!e) {
                return;  // the entry is gone: an empty list
            }
            subid = e->subid;
            cat = categoryOf(e->catid);
        }
        const QString subject = db.subjectName(cat, subid).value_or(QString());
        auto* root = new QTreeWidgetItem(QStringList{tr("Related Entries")});
        root->setData(0, kKeyRole, QStringLiteral("Birds"));
        QTreeWidgetItem* last = root;
        for (const Entry& e : db.entriesOf(cat, subid)) {
            QString key, text;
            if (e.type == kArticle) {
                key = QStringLiteral("A");
                text = e.title;
            } else if (e.type == kImage) {
                key = QStringLiteral("I");
                text = subject + u' ' + e.title;
            } else if (e.type == kLink) {
                key = QStringLiteral("L");
                text = e.title;
            } else {
                continue;
            }
            key += QString::number(e.id);
            last = new QTreeWidgetItem(root, QStringList{text});
            last->setData(0, kKeyRole, key);
            last->setIcon(0, pictureOf(key));
        }
        if (!fromSightings && cat == Category::Birds && db.hasSightings(subid)) {
            const QString key = QStringLiteral("S") + QString::number(subid);
            last = new QTreeWidgetItem(root, QStringList{subject + tr(" Sighting History")});
            last->setData(0, kKeyRole, key);
            last->setIcon(0, pictureOf(key));
        }
        tv2_->addTopLevelItem(root);
        root->setExpanded(true);
        tv2_->scrollToItem(last);
    } catch (const AppError& e) {
        state_.services.messages.notify(
            tr("Error Loading Data. Error # ") + QString::number(e.number()) + e.description(),
            tr("Error loading Data"), MsgIcon::Exclamation);
    }
}

void frmRelated::clickNode(const QString& key) {
    const QList<QTreeWidgetItem*> all =
        tv2_->findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive);
    for (QTreeWidgetItem* item : all) {
        if (item->data(0, kKeyRole).toString() == key) {
            tv2_NodeClick(item);
            return;
        }
    }
}

void frmRelated::tv2_NodeClick(QTreeWidgetItem* node) {
    const QString key = node->data(0, kKeyRole).toString();
    bool number = false;
    key.mid(1).toLongLong(&number);
    if (key.isEmpty() || !QStringLiteral("AILS").contains(key.front()) || !number) {
        return;  // the root
    }
    if (!main_.showRelatedEntry(key)) {
        state_.services.messages.notify(tr("Cannot Find the Information for this item."),
                                        tr("Missing Data"), MsgIcon::Exclamation);
        return;
    }
    accept();
}

}  // namespace wf
