// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutingPage.h"

#include <QLocale>
#include <unordered_map>

#include "Tr.h"
#include "TripReport.h"
#include "Words.h"

namespace wf {

namespace {

QString esc(const QString& s) {
    return s.toHtmlEscaped();
}

}  // namespace

std::optional<OutingPageData> outingPage(const Store& store, qint64 id) {
    const std::optional<Outing> o = store.outing(id);
    if (!o) {
        return std::nullopt;
    }
    OutingPageData page{*o, store.outingSpecies(id), {}};
    if (std::optional<SubjectPageData> filed = subjectPage(store, Category::Outings, id)) {
        page.filed = std::move(*filed);
    }
    return page;
}

QString outingNodeText(const ListedOuting& o) {
    const QString when = o.date.isValid() ? words::date(o.date) : wf::tr("no date");
    const QString where = o.site.isEmpty() ? wf::tr("no place") : o.site;
    return wf::tr("%1 \u2014 %2 (%3 species)").arg(when, where).arg(o.species);
}

QString outingPageHtml(const OutingPageData& page) {
    const Outing& o = page.outing;
    QString h;
    h += QStringLiteral("<h1>%1</h1>")
             .arg(esc(o.date.isValid() ? words::date(o.date) : wf::tr("no date")));
    h += QStringLiteral("<p>%1</p>").arg(esc(outingPlaceWords(o)));
    if (const QString effort = outingEffortWords(o); !effort.isEmpty()) {
        h += QStringLiteral("<p>%1</p>").arg(esc(effort));
    }
    if (!o.latitude.isEmpty() && !o.longitude.isEmpty()) {
        h += QStringLiteral("<p><img src='page:map'></p>");
    }
    if (!o.notes.isEmpty()) {
        h += QStringLiteral("<p>%1</p>").arg(esc(o.notes));
    }
    int lifers = 0;
    for (const OutingSpecies& s : page.species) {
        lifers += s.lifer ? 1 : 0;
    }
    h += QStringLiteral("<h3>%1</h3>")
             .arg(lifers > 0
                      ? wf::tr("%1 species, %2 of them lifers").arg(page.species.size()).arg(lifers)
                      : wf::tr("%1 species").arg(page.species.size()));
    h += QStringLiteral("<table cellspacing='0' cellpadding='2'>");
    const QLocale locale;
    for (const OutingSpecies& s : page.species) {
        QString count = s.count > 0 ? locale.toString(s.count) : QString();
        if (s.present) {
            count = count.isEmpty() ? QStringLiteral("X") : count + QStringLiteral(" + X");
        }
        const QString mark = s.lifer       ? wf::tr("lifer")
                             : s.yearFirst ? wf::tr("first of the year")
                                           : QString();
        h += QStringLiteral("<tr><td>%1</td><td align='right'>%2</td><td><b>%3</b></td></tr>")
                 .arg(esc(s.name), count, mark);
    }
    h += QStringLiteral("</table>");
    return h + entriesHtml(page.filed);
}

NodeList outingListNodes(const Store& store) {
    NodeList list;
    const QString root = QStringLiteral("Outings");
    list.nodes.push_back({root, {}, wf::tr("Outings"), kNoPicture});
    list.visibleKey = root;
    const std::vector<ListedOuting> outings = store.outingList();
    const std::unordered_map<qint64, std::vector<ListedEntry>> entries =
        store.filedEntries(Category::Outings);
    list.nodes.reserve(outings.size() + 1);
    for (const ListedOuting& o : outings) {
        const QString key = QStringLiteral("O") + QString::number(o.id);
        list.nodes.push_back({key, root, outingNodeText(o), kSightingsPicture});
        // What was written of it hangs under it, as under a subject.
        if (const auto e = entries.find(o.id); e != entries.end()) {
            for (const ListedEntry& entry : e->second) {
                list.nodes.push_back({entryKeyLetter(entry.type) + QString::number(entry.id), key,
                                      entry.title, entryPicture(entry.type)});
            }
        }
    }
    if (!outings.empty()) {
        list.visibleKey = list.nodes[1].key;
    }
    return list;
}

}  // namespace wf
