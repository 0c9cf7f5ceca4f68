// SPDX-License-Identifier: GPL-3.0-or-later
#include "JournalGen.h"

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <random>
#include <vector>

#include "DataFolder.h"
#include "Resources.h"
#include "Services.h"
#include "Store.h"
#include "cDIBSection.h"
#include "mIntelJPEGLibrary.h"

namespace wf {

namespace {

const char* const kWords[] = {
    "the",      "bird",    "was",       "seen",    "near",      "a",       "small",    "flock",
    "of",       "feeding", "along",     "edge",    "reed",      "bed",     "morning",  "light",
    "wind",     "from",    "north",     "west",    "call",      "song",    "heard",    "before",
    "flight",   "low",     "over",      "water",   "with",      "its",     "mate",     "nest",
    "built",    "in",      "hedge",     "plumage", "bright",    "dull",    "juvenile", "adult",
    "wing",     "bar",     "tail",      "long",    "short",     "bill",    "yellow",   "black",
    "white",    "grey",    "migrating", "south",   "autumn",    "spring",  "estuary",  "marsh",
    "woodland", "moor",    "coast",     "cliff",   "field",     "garden",  "river",    "lake",
    "perched",  "on",      "fence",     "post",    "hovering",  "above",   "verge",    "scanning",
    "for",      "voles",   "together",  "pair",    "courtship", "display", "Côte",     "Rüppell's",
    "naïve",    "façade",  "«quoted»",  "50%",     "{braces}",
};

const char* const kRegions[] = {"Europe", "Africa", "Asia", "North America", "Oceania"};
const char* const kCountries[] = {"England",   "Scotland",      "Wales",         "France",
                                  "Spain",     "Côte d'Ivoire", "Kenya",         "India",
                                  "Japan",     "Canada",        "United States", "Mexico",
                                  "Australia", "New Zealand",   "Norway"};
// A point inside each of those countries (latitude, longitude), for the
// places with coordinates.
const double kCountryPoints[][2] = {{52.5, -1.5},   {56.8, -4.2},   {52.3, -3.7},  {46.6, 2.4},
                                    {40.2, -3.7},   {7.6, -5.5},    {0.2, 37.9},   {22.8, 79.0},
                                    {36.5, 138.5},  {55.0, -100.0}, {39.5, -98.5}, {23.6, -102.5},
                                    {-25.3, 134.0}, {-41.5, 172.8}, {61.5, 9.0}};

struct Place {
    QString site, district, state, country, region;
    QString latitude, longitude;  // within a degree of the country's point
};

class Generator {
  public:
    Generator(Store& store, const JournalSize& size)
        : store_(store), size_(size), rng_(size.seed) {}

    JournalSummary summary;

    void run() {
        makePlaces();
        const auto birds = store_.subjects(Category::Birds);
        summary.birds = qint64(birds.size());
        summary.topics = size_.topics;
        summary.sightings = size_.sightings;
        if (birds.empty()) {
            return;
        }
        std::vector<qint64> topics;
        for (int i = 0; i < size_.topics; ++i) {
            topics.push_back(store_.addSubject(Category::Topics,
                                               QStringLiteral("Topic %1 %2").arg(i).arg(word())));
        }
        // A few thousand species carry most sightings, the first few very many.
        const int seen = std::min<int>(int(birds.size()), 3000);
        std::vector<double> weights(static_cast<size_t>(seen));
        for (int i = 0; i < seen; ++i) {
            weights[size_t(i)] = 1.0 / (1.0 + i * 0.05);
        }
        std::discrete_distribution<int> pickBird(weights.begin(), weights.end());
        std::vector<qint64> order;
        for (const auto& b : birds) {
            order.push_back(b.id);
        }
        std::shuffle(order.begin(), order.end(), rng_);
        static const char* const kinds[] = {"Adult", "Male", "Female", "Immature", "Sound Record"};
        std::vector<qint64> outings;
        int visitLeft = 0;  // sightings still to come on the outing
        QDate visitDate;
        const Place* visitPlace = nullptr;
        for (int i = 0; i < size_.sightings; ++i) {
            Sighting s;
            s.birdid = order[size_t(pickBird(rng_))];
            if (size_.outingSize > 0 && visitLeft == 0) {
                visitLeft = uniform(1, 2 * size_.outingSize - 1);
                visitDate = QDate(2000, 1, 1).addDays(uniform(0, 26 * 365));
                visitPlace = &places_[size_t(uniform(0, int(places_.size()) - 1))];
                Outing o;
                o.date = visitDate;
                o.startTime = QStringLiteral("%1:%2")
                                  .arg(uniform(5, 17), 2, 10, QLatin1Char('0'))
                                  .arg(uniform(0, 59), 2, 10, QLatin1Char('0'));
                o.durationMin = QString::number(uniform(20, 300));
                o.protocol = QStringLiteral("Traveling");
                o.site = visitPlace->site;
                o.district = visitPlace->district;
                o.state = visitPlace->state;
                o.country = visitPlace->country;
                o.region = visitPlace->region;
                o.latitude = visitPlace->latitude;
                o.longitude = visitPlace->longitude;
                outings.push_back(store_.addOuting(o));
            }
            s.date = visitPlace ? visitDate : QDate(2000, 1, 1).addDays(uniform(0, 26 * 365));
            s.type = QString::fromUtf8(kinds[uniform(0, 4)]);
            const Place& p =
                visitPlace ? *visitPlace : places_[size_t(uniform(0, int(places_.size()) - 1))];
            s.site = p.site;
            s.district = p.district;
            s.state = p.state;
            s.country = p.country;
            s.region = p.region;
            if (i % 3 == 0) {  // one in three, as from a phone or eBird
                s.latitude = p.latitude;
                s.longitude = p.longitude;
            }
            if (uniform(0, 3) == 0) {
                s.notes = sentence(4, 20);
            }
            const qint64 seen = store_.appendSighting(s);
            if (visitPlace) {
                store_.setOutingOf(seen, outings.back());
                --visitLeft;
            }
        }
        summary.outings = int(outings.size());
        for (int i = 0; i < size_.entries; ++i) {
            Entry e;
            const bool topic = !topics.empty() && uniform(0, 4) == 0;
            const bool outing = !topic && !outings.empty() && uniform(0, 9) == 0;
            const Category cat = topic    ? Category::Topics
                                 : outing ? Category::Outings
                                          : Category::Birds;
            e.catid = int(cat);
            e.subid = topic    ? topics[size_t(uniform(0, int(topics.size()) - 1))]
                      : outing ? outings[size_t(uniform(0, int(outings.size()) - 1))]
                               : order[size_t(pickBird(rng_))];
            const int kind = uniform(0, 9);
            e.title = sentence(1, 5);
            if (kind < 5) {
                e.type = kArticle;
                e.caption = article();
                e.fname = QStringLiteral(" ");
                ++summary.articles;
            } else if (kind < 8) {
                e.type = kImage;
                const QString subject = *store_.subjectName(cat, e.subid);
                e.fname = subject + u' ' + e.title + QStringLiteral("_%1.jpg").arg(i + 1);
                ++summary.pictures;
                summary.pictureNames.emplace_back(e.fname, i % int(std::size(kSamplePictureSizes)));
            } else {
                e.type = kLink;
                e.fname = QStringLiteral("https://example.org/birds/%1").arg(i);
                ++summary.links;
            }
            store_.appendEntry(e);
        }
        Options o = store_.options();
        o.region = places_[0].region;
        o.country = places_[0].country;
        o.state = places_[0].state;
        o.district = places_[0].district;
        store_.saveOptions(o);
    }

  private:
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    QString word() { return QString::fromUtf8(kWords[uniform(0, int(std::size(kWords)) - 1)]); }

    QString sentence(int minWords, int maxWords) {
        QStringList w;
        const int n = uniform(minWords, maxWords);
        for (int i = 0; i < n; ++i) {
            w << word();
        }
        QString s = w.join(u' ');
        if (!s.isEmpty()) {
            s[0] = s[0].toUpper();
        }
        return s;
    }

    static QString rtfEscape(const QString& s) {
        QString out;
        for (const QChar c : s) {
            const char16_t u = c.unicode();
            if (u == '\\' || u == '{' || u == '}') {
                out += u'\\';
                out += c;
            } else if (u < 0x80) {
                out += c;
            } else if (u < 0x100) {
                out += QStringLiteral("\\'%1").arg(int(u), 2, 16, QLatin1Char('0'));
            } else {
                out += QStringLiteral("\\u%1?").arg(qint16(u));
            }
        }
        return out;
    }

    // An article in the style of the old rich-text control.
    QString article() {
        QString body;
        const int paragraphs = uniform(1, 8);
        for (int p = 0; p < paragraphs; ++p) {
            const int sentences = uniform(1, 6);
            for (int s = 0; s < sentences; ++s) {
                const int style = uniform(0, 9);
                const QString text = rtfEscape(sentence(5, 18)) + QStringLiteral(". ");
                if (style == 0) {
                    body += QStringLiteral("\\b ") + text + QStringLiteral("\\b0 ");
                } else if (style == 1) {
                    body += QStringLiteral("\\i ") + text + QStringLiteral("\\i0 ");
                } else if (style == 2) {
                    body += QStringLiteral("\\cf1 ") + text + QStringLiteral("\\cf0 ");
                } else {
                    body += text;
                }
            }
            body += QStringLiteral("\\par\r\n");
        }
        return QStringLiteral(
                   "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang2057{\\fonttbl{"
                   "\\f0\\fswiss\\fcharset0 "
                   "Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}}\r\n{\\colortbl "
                   ";\\red128\\green0\\blue0;}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20 ") +
               body + QStringLiteral("}\r\n");
    }

    void makePlaces() {
        for (int i = 0; i < std::max(1, size_.places); ++i) {
            Place p;
            const int country = i % int(std::size(kCountries));
            p.country = QString::fromUtf8(kCountries[country]);
            p.region = QString::fromUtf8(kRegions[country % int(std::size(kRegions))]);
            p.state = QStringLiteral("%1 State %2").arg(p.country).arg(i % 7);
            p.district = QStringLiteral("%1 District %2").arg(p.state).arg(i % 3);
            p.site = QStringLiteral("Site %1 %2").arg(i).arg(word());
            // From the place's number, not the random stream: the journal
            // is otherwise what it was before places had coordinates.
            const double dlat = ((i * 37) % 100) / 100.0 - 0.5;
            const double dlon = ((i * 53) % 100) / 100.0 - 0.5;
            p.latitude = QString::number(kCountryPoints[country][0] + dlat, 'f', 4);
            p.longitude = QString::number(kCountryPoints[country][1] + dlon, 'f', 4);
            places_.push_back(p);
        }
    }

    Store& store_;
    JournalSize size_;
    std::mt19937_64 rng_;
    std::vector<Place> places_;
};

}  // namespace

JournalSummary generateJournal(Store& store, const JournalSize& size) {
    JournalSummary summary;
    store.inTransaction([&] {
        Generator g(store, size);
        g.run();
        summary = std::move(g.summary);
    });
    return summary;
}

const QSize kSamplePictureSizes[6] = {{320, 240}, {640, 480},   {240, 320},
                                      {96, 64},   {1600, 1200}, {2400, 1800}};

namespace {

// A sample picture: a sky-to-ground gradient in one of a few colours with a
// round "bird" in the middle, so each is recognisable and none is blank.
QImage samplePicture(int index) {
    static const QRgb kTints[] = {qRgb(70, 130, 180),  qRgb(34, 139, 34), qRgb(205, 133, 63),
                                  qRgb(147, 112, 219), qRgb(220, 20, 60), qRgb(0, 128, 128)};
    const QSize size = kSamplePictureSizes[index];
    const QRgb tint = kTints[index];
    QImage img(size, QImage::Format_RGB32);
    const int w = size.width();
    const int h = size.height();
    const int r = std::min(w, h) / 4;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const double t = double(y) / std::max(1, h - 1);
        for (int x = 0; x < w; ++x) {
            const int dx = x - w / 2;
            const int dy = y - h / 2;
            if (dx * dx + dy * dy < r * r) {
                line[x] = qRgb(40, 30, 20);
            } else {
                line[x] =
                    qRgb(int(qRed(tint) * (1 - t) + 230 * t), int(qGreen(tint) * (1 - t) + 220 * t),
                         int(qBlue(tint) * (1 - t) + 200 * t));
            }
        }
    }
    return img;
}

// Answers No to any question: the generator never replaces a file.
class NeverReplace : public MessageBoxes {
  public:
    MsgAnswer show(const MessageRequest&) override { return MsgAnswer::No; }
};

}  // namespace

QString JournalSummary::describe() const {
    return QStringLiteral(
               "%1 birds, %2 topics, %3 sightings, %4 entries (%5 articles, %6 "
               "pictures, %7 links), %8 JPEG files in Images, %9 outings")
        .arg(birds)
        .arg(topics)
        .arg(sightings)
        .arg(articles + pictures + links)
        .arg(articles)
        .arg(pictures)
        .arg(links)
        .arg(pictureFiles)
        .arg(outings);
}

JournalSummary generateJournalFolder(const QString& dataDir, const JournalSize& size) {
    JournalSummary summary;
    {
        auto store = DataFolder(dataDir).openJournal(worldListPath());
        summary = generateJournal(*store, size);
    }
    if (summary.pictureNames.empty()) {
        return summary;
    }
    const QDir images(QDir(dataDir).filePath(QStringLiteral("Images")));
    QDir().mkpath(images.path());
    // The samples are written once by the JPEG writer, in a folder of their
    // own beside Images; every picture entry's file is a hard link to one.
    QDir samples(QDir(dataDir).filePath(QStringLiteral(".journal-gen-samples")));
    QDir().mkpath(samples.path());
    NeverReplace messages;
    QStringList samplePaths;
    for (int i = 0; i < int(std::size(kSamplePictureSizes)); ++i) {
        cDIBSection dib;
        dib.CreateFromPicture(samplePicture(i));
        const QString path = samples.filePath(QStringLiteral("sample-%1.jpg").arg(i));
        mIntelJPEGLibrary::SaveJpegFile(dib, path, 90, messages);
        samplePaths << path;
    }
    for (const auto& [fname, sample] : summary.pictureNames) {
        const QString target = images.filePath(fname);
        const QByteArray from = QFile::encodeName(samplePaths[sample]);
        const QByteArray to = QFile::encodeName(target);
        if (::link(from.constData(), to.constData()) == 0 ||
            QFile::copy(samplePaths[sample], target)) {
            ++summary.pictureFiles;
        }
    }
    samples.removeRecursively();
    return summary;
}

}  // namespace wf
