// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutingPage.h"

#include <QHash>
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

namespace {

// The words of an outing's node, looked up once for a whole list.
struct NodeWords {
    QString pattern = wf::tr("%1 \u2014 %2 (%3 species)");
    QString noDate = wf::tr("no date");
    QString noPlace = wf::tr("no place");
    QHash<QDate, QString> dates;  // outings share days

    QString text(const ListedOuting& o) {
        QString when = noDate;
        if (o.date.isValid()) {
            auto it = dates.find(o.date);
            if (it == dates.end()) {
                it = dates.insert(o.date, words::date(o.date));
            }
            when = *it;
        }
        const QString& where = o.site.isEmpty() ? noPlace : o.site;
        if (!split()) {
            return pattern.arg(when, where, QString::number(o.species));
        }
        // The pattern's pieces joined around the three values: a list of
        // thousands is not parsed a node at a time.
        QString out;
        out.reserve(pieces[0].size() + pieces[1].size() + pieces[2].size() + pieces[3].size() +
                    when.size() + where.size() + 6);
        out += pieces[0];
        out += when;
        out += pieces[1];
        out += where;
        out += pieces[2];
        out += QString::number(o.species);
        out += pieces[3];
        return out;
    }

  private:
    // Whether the pattern has %1, %2 and %3 once each, in that order.
    bool split() {
        if (splitDone) {
            return pieces.size() == 4;
        }
        splitDone = true;
        const qsizetype a = pattern.indexOf(QLatin1String("%1"));
        const qsizetype b = pattern.indexOf(QLatin1String("%2"));
        const qsizetype c = pattern.indexOf(QLatin1String("%3"));
        if (a < 0 || b < a || c < b || pattern.count(u'%') != 3) {
            return false;
        }
        pieces = {pattern.left(a), pattern.mid(a + 2, b - a - 2), pattern.mid(b + 2, c - b - 2),
                  pattern.mid(c + 2)};
        return true;
    }

    bool splitDone = false;
    QStringList pieces;
};

}  // namespace

QString outingNodeText(const ListedOuting& o) {
    return NodeWords().text(o);
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

namespace {

const QString kOutingsRoot = QStringLiteral("Outings");

QString yearKey(int year) {
    return QStringLiteral("Y") + QString::number(year);
}

// The outings of a year under its node, and what is filed under each.
void appendYear(std::vector<Node>& out, const Store& store, int year,
                const std::unordered_map<qint64, std::vector<ListedEntry>>& filed) {
    const QString parent = yearKey(year);
    const std::vector<ListedOuting> outings = store.outingsOfYear(year);
    out.reserve(out.size() + outings.size());
    NodeWords words;
    for (const ListedOuting& o : outings) {
        const QString key = QStringLiteral("O") + QString::number(o.id);
        out.push_back({key, parent, words.text(o), kSightingsPicture});
        if (const auto e = filed.find(o.id); e != filed.end()) {
            for (const ListedEntry& entry : e->second) {
                out.push_back({entryKeyLetter(entry.type) + QString::number(entry.id), key,
                               entry.title, entryPicture(entry.type)});
            }
        }
    }
}

}  // namespace

NodeList outingListNodes(const Store& store) {
    NodeList list;
    list.nodes.push_back({kOutingsRoot, {}, wf::tr("Outings"), kNoPicture});
    list.visibleKey = kOutingsRoot;
    const std::vector<std::pair<int, int>> years = store.outingYears();
    const auto filed = store.filedEntries(Category::Outings);
    for (size_t i = 0; i < years.size(); ++i) {
        const auto [year, count] = years[i];
        const QString counted = words::counted(count, wf::tr("outing"), wf::tr("outings"));
        const QString text = year == 0 ? wf::tr("No date (%1)").arg(counted)
                                       : QStringLiteral("%1 (%2)").arg(year).arg(counted);
        // The newest year is read now and shown open; the others when opened.
        list.nodes.push_back({yearKey(year), kOutingsRoot, text, kNoPicture, i > 0});
    }
    if (!years.empty()) {
        appendYear(list.nodes, store, years.front().first, filed);
        list.openKeys.push_back(yearKey(years.front().first));
        if (list.nodes.size() > years.size() + 1) {
            list.visibleKey = list.nodes[years.size() + 1].key;
        }
    }
    return list;
}

std::vector<Node> outingYearNodes(const Store& store, const QString& key) {
    std::vector<Node> out;
    bool ok = false;
    const int year = key.mid(1).toInt(&ok);
    if (key.startsWith(u'Y') && ok) {
        appendYear(out, store, year, store.filedEntries(Category::Outings));
    }
    return out;
}

QString outingParentKey(const Store& store, const QString& key) {
    bool ok = false;
    const qint64 id = key.mid(1).toLongLong(&ok);
    if (!ok || key.isEmpty()) {
        return {};
    }
    const QChar kind = key.front();
    if (kind == u'Y') {
        return kOutingsRoot;
    }
    if (kind == u'O') {
        const std::optional<Outing> o = store.outing(id);
        return o ? yearKey(o->date.isValid() ? o->date.year() : 0) : QString();
    }
    if (kind == u'A' || kind == u'I' || kind == u'L') {
        const std::optional<Entry> e = store.entry(id);
        if (e && e->catid == int(Category::Outings)) {
            return QStringLiteral("O") + QString::number(e->subid);
        }
    }
    return {};
}

}  // namespace wf
