// SPDX-License-Identifier: GPL-3.0-or-later
// screenshots: every window of the program as a person sees it, saved as PNG
// files, on a generated journal. Run under a real X server (make screenshots
// starts one) so that the web view and fonts look as they do on a desktop.
//
//   screenshots OUTPUT-FOLDER [--sizes 900x600,1280x800,1920x1080]
//               [--translation build/translations/wingfolio_pseudo.qm]
#include <SQLiteCpp/SQLiteCpp.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>
#include <QUrl>
#include <cstdio>
#include <functional>
#include <map>

#include "AppState.h"
#include "Artwork.h"
#include "CameraJpeg.h"
#include "EbirdNames.h"
#include "IsoCodes.h"
#include "JournalGen.h"
#include "Pictures.h"
#include "QtServices.h"
#include "Resources.h"
#include "RichText.h"
#include "Startup.h"
#include "Store.h"
#include "Translations.h"
#include "TripReport.h"
#include "frmHelp.h"
#include "frmMain.h"
#include "frmSplash.h"

namespace {

void settle(int ms = 150) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

// Message boxes answer No (nothing is changed); Cancel for any question.
// While folder is set, each question is saved as a picture too.
class Decline : public wf::MessageBoxes {
  public:
    QString folder;
    int shot = 0;
    wf::MsgAnswer show(const wf::MessageRequest& r) override {
        std::printf("  message: %s\n", qPrintable(r.text.left(80)));
        if (r.buttons != wf::MsgButtons::YesNo) {
            return wf::MsgAnswer::Ok;
        }
        if (!folder.isEmpty()) {
            QMessageBox box(QApplication::activeWindow());
            wf::QtMessageBoxes::configure(box, r);
            box.show();
            settle(200);
            const QString name = QStringLiteral("question-%1.png").arg(++shot);
            box.grab().save(QDir(folder).filePath(name));
            std::printf("  %s\n", qPrintable(name));
        }
        return wf::MsgAnswer::No;
    }
};

// Shows each dialog, saves a picture of it, and cancels it. A dialog with
// a step of its own is used first (filled in, a button pressed) and shot
// again as "-used".
class Photographer : public wf::DialogRunner {
  public:
    QString folder;
    QString prefix;
    std::map<QString, std::function<void(QDialog&)>> steps;
    int exec(QDialog& dialog) override {
        dialog.show();
        settle(300);
        const QString name = prefix + dialog.objectName() + QStringLiteral(".png");
        dialog.grab().save(QDir(folder).filePath(name));
        std::printf("  %s\n", qPrintable(name));
        const auto step = steps.find(dialog.objectName());
        if (step != steps.end()) {
            const auto use = step->second;
            steps.erase(step);  // once
            use(dialog);
            settle(200);
            const QString used = prefix + dialog.objectName() + QStringLiteral("-used.png");
            dialog.grab().save(QDir(folder).filePath(used));
            std::printf("  %s\n", qPrintable(used));
        }
        dialog.reject();
        return QDialog::Rejected;
    }
};

QString firstKey(wf::frmMain& w, QChar kind) {
    QStringList stack = w.nodes().childKeys({});
    while (!stack.isEmpty()) {
        const QString key = stack.takeFirst();
        if (key.startsWith(kind) && key.size() > 1 && key[1].isDigit()) {
            return key;
        }
        stack << w.nodes().childKeys(key);
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QCommandLineParser p;
    p.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("where the PNG files go"));
    const QCommandLineOption sizes(QStringLiteral("sizes"), QStringLiteral("window sizes"),
                                   QStringLiteral("list"),
                                   QStringLiteral("900x600,1280x800,1920x1080"));
    p.addOption(sizes);
    const QCommandLineOption icons(QStringLiteral("icons"),
                                   QStringLiteral("write the program's icon as PNG files "
                                                  "(hicolor/NxN/apps) into the folder and end"));
    p.addOption(icons);
    const QCommandLineOption translation(
        QStringLiteral("translation"), QStringLiteral("show the windows in this translation (.qm)"),
        QStringLiteral("file"));
    p.addOption(translation);
    p.process(app);
    if (p.isSet(translation) && !wf::translations::install(p.value(translation))) {
        std::fprintf(stderr, "screenshots: cannot load %s\n", qPrintable(p.value(translation)));
        return 2;
    }
    if (p.positionalArguments().size() != 1) {
        p.showHelp(2);
    }
    const QString out = p.positionalArguments().front();
    QDir().mkpath(out);
    if (p.isSet(icons)) {
        for (const int side : {16, 24, 32, 48, 64, 128, 256, 512}) {
            const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(out).arg(side);
            QDir().mkpath(dir);
            wf::artwork::productPicture(side).save(dir +
                                                   QStringLiteral("/org.wingfolio.Wingfolio.png"));
        }
        return 0;
    }

    QTemporaryDir tmp;
    const QString data = tmp.filePath(QStringLiteral("data"));
    wf::JournalSize size;
    size.sightings = 20000;
    size.entries = 2000;
    const wf::JournalSummary made = wf::generateJournalFolder(data, size);
    std::printf("journal: %s\n", qPrintable(made.describe()));
    // A link to a page on this machine, so the web pane shows something.
    const QString page = tmp.filePath(QStringLiteral("wren.html"));
    {
        QFile f(page);
        f.open(QIODevice::WriteOnly);
        f.write(
            "<html><head><title>Eurasian Wren</title></head><body style='font-family:sans-serif'>"
            "<h1>Eurasian Wren</h1><p>A tiny, loud songbird of reedbeds, gardens and "
            "woods.</p></body></html>");
    }
    qint64 linkId = 0;
    qint64 picturesId = 0;
    {
        auto store = wf::DataFolder(data).openJournal(wf::worldListPath());
        // An article holding two pictures: a wide photograph and a drawing.
        {
            QImage photo(1800, 900, QImage::Format_RGB32);
            QPainter paint(&photo);
            QLinearGradient sky(0, 0, 0, 900);
            sky.setColorAt(0, QColor(120, 170, 230));
            sky.setColorAt(1, QColor(40, 110, 60));
            paint.fillRect(photo.rect(), sky);
            paint.end();
            QImage drawing(160, 120, QImage::Format_ARGB32);
            drawing.fill(Qt::transparent);
            QPainter pen(&drawing);
            pen.setRenderHint(QPainter::Antialiasing);
            pen.setBrush(QColor(150, 90, 40));
            pen.drawEllipse(20, 30, 120, 70);
            pen.end();
            QTextDocument doc;
            QTextCursor c(&doc);
            c.insertText(QStringLiteral("The reedbed at dawn, from the boardwalk:"));
            c.insertBlock();
            wf::rtf::pictures::insert(c, photo, 640);
            c.insertBlock();
            c.insertText(QStringLiteral("and the nest as I drew it: "));
            wf::rtf::pictures::insert(c, drawing, 640);
            wf::Entry e;
            e.catid = 1;
            e.subid = *store->findSubject(wf::Category::Birds, QStringLiteral("Eurasian Wren"));
            e.type = wf::kArticle;
            e.title = QStringLiteral("Two pictures");
            e.fname = QStringLiteral(" ");
            e.caption = wf::rtf::writeRtf(doc);
            picturesId = store->appendEntry(e);
        }
        // The active life lists on the longest place names of the journal.
        {
            wf::Options o = store->options();
            QString* const fields[] = {&o.region, &o.country, &o.state, &o.district};
            const char* const columns[] = {"region", "country", "state", "district"};
            for (int i = 0; i < 4; ++i) {
                SQLite::Statement q(store->database(), std::string("SELECT ") + columns[i] +
                                                           " FROM sighting ORDER BY "
                                                           "length(" +
                                                           columns[i] + ") DESC LIMIT 1");
                if (q.executeStep()) {
                    *fields[i] = QString::fromStdString(q.getColumn(0).getString());
                }
            }
            store->saveOptions(o);
        }
        wf::Entry e;
        e.catid = 1;
        e.subid = *store->findSubject(wf::Category::Birds, QStringLiteral("Eurasian Wren"));
        e.type = wf::kLink;
        e.title = QStringLiteral("Wren page");
        e.fname = QUrl::fromLocalFile(page).toString();
        linkId = store->appendEntry(e);
        // Two eBird checklists, each an outing.
        {
            wf::SightingWriter writer(*store);
            const char* const birds[] = {"Eurasian Wren", "Mallard", "Great Crested Grebe",
                                         "Common Kingfisher", "Common Reed Warbler"};
            for (int checklist = 0; checklist < 2; ++checklist) {
                for (int i = 0; i < 5 - checklist * 2; ++i) {
                    wf::Sighting s;
                    s.birdid = store->findSubject(wf::Category::Birds, QLatin1String(birds[i]))
                                   .value_or(1);
                    s.date = QDate(2026, 5, 3 + checklist);
                    s.site = QStringLiteral("Rutland Water, Egleton");
                    s.country = QStringLiteral("United Kingdom");
                    wf::SightingDetail d;
                    d.source = QStringLiteral("eBird");
                    d.submissionId = QStringLiteral("S9000%1").arg(checklist);
                    d.count = QString::number(i + 1);
                    d.durationMin = QStringLiteral("150");
                    d.distanceKm = QStringLiteral("4.2");
                    d.observers = QStringLiteral("2");
                    d.protocol = QStringLiteral("eBird - Traveling Count");
                    d.allObsReported = QStringLiteral("1");
                    d.latitude = QStringLiteral("52.65");
                    d.longitude = QStringLiteral("-0.64");
                    writer.append(s, &d);
                }
            }
            store->outingsFromEbird();
            // What was written of the newer one: an article and a picture.
            wf::Entry note;
            note.catid = int(wf::Category::Outings);
            note.subid = store->outingList().front().id;
            note.type = wf::kArticle;
            note.title = QStringLiteral("A morning on the south arm");
            note.fname = QStringLiteral(" ");
            note.caption = QStringLiteral(
                "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Mist on the water until "
                "eight; then \\b two ospreys\\b0  fished the south arm while the grebes "
                "displayed off Lax Hill.\\par A kingfisher sat by the Egleton hide.\\par}");
            store->appendEntry(note);
            SQLite::Statement pictures(store->database(),
                                       "SELECT fname FROM data WHERE type = 'Image' LIMIT 1");
            if (pictures.executeStep()) {
                note.type = wf::kImage;
                note.title = QStringLiteral("Grebes displaying");
                note.caption.clear();
                note.fname = QString::fromStdString(pictures.getColumn(0).getString());
                store->appendEntry(note);
            }
        }
        // eBird records waiting for their names to be reviewed.
        wf::EbirdNames names(*store, wf::IsoCodes::system());
        const char* const waiting[][3] = {{"Yellow Warbler", "Setophaga petechia", "US-NY"},
                                          {"Herring Gull", "Larus argentatus", "CA-ON"},
                                          {"Herring Gull", "Larus argentatus", "GB-ENG"},
                                          {"Western Warbling Vireo", "Vireo swainsoni", "US-CA"}};
        store->inTransaction([&] {
            int line = 2;
            for (const auto& w : waiting) {
                wf::SightingDetail d;
                d.submissionId = QStringLiteral("S%1").arg(line);
                d.commonName = QString::fromLatin1(w[0]);
                d.scientificName = QString::fromLatin1(w[1]);
                d.stateCode = QString::fromLatin1(w[2]);
                d.date = QStringLiteral("2024-05-%1").arg(line, 2, 10, QChar(u'0'));
                d.location = QStringLiteral("Lakeside");
                names.keepWaiting(d, line++);
            }
        });
    }

    Decline messages;
    wf::QtClipboard clipboard;
    Photographer dialogs;
    dialogs.folder = out;
    wf::SystemClock clock;
    const wf::Services services{messages, clipboard, dialogs, clock};
    wf::Startup startup(services, wf::DataFolder(data), wf::worldListPath(), 200);
    if (startup.begin() != wf::Startup::kRunning) {
        return 1;
    }
    settle(100);
    if (startup.splash() != nullptr) {
        startup.splash()->grab().save(QDir(out).filePath(QStringLiteral("splash.png")));
    }
    while (startup.mainWindow() == nullptr) {
        settle(50);
    }
    wf::frmMain& w = *startup.mainWindow();
    auto shoot = [&](const QString& name) {
        settle(250);
        // On a display, as the screen shows it: the web page is a window of
        // its own, which a widget's own drawing leaves out.
        const QPixmap picture = QGuiApplication::platformName() == QLatin1String("xcb")
                                    ? w.screen()->grabWindow(w.winId())
                                    : w.grab();
        picture.save(QDir(out).filePath(name + QStringLiteral(".png")));
        std::printf("  %s.png\n", qPrintable(name));
    };
    for (const QString& s : p.value(sizes).split(u',')) {
        const QStringList wh = s.split(u'x');
        if (wh.size() != 2) {
            continue;
        }
        w.showNormal();
        w.resize(wh[0].toInt(), wh[1].toInt());
        const QString tag = s + u'-';
        dialogs.prefix = tag;
        w.cmbSearchCategory()->setCurrentIndex(0);
        emit w.cmbSearchCategory()->activated(0);
        shoot(tag + QStringLiteral("main-welcome"));
        w.clickNode(firstKey(w, u'A'));
        shoot(tag + QStringLiteral("main-article"));
        w.clickNode(QStringLiteral("A%1").arg(picturesId));
        shoot(tag + QStringLiteral("main-article-pictures"));
        w.menuItem(QStringLiteral("mnuHelpContents"))->trigger();
        settle(300);
        if (w.help() != nullptr) {
            const QPixmap help = QGuiApplication::platformName() == QLatin1String("xcb")
                                     ? w.screen()->grabWindow(w.help()->winId())
                                     : w.help()->grab();
            help.save(QDir(out).filePath(tag + QStringLiteral("help.png")));
            std::printf("  %shelp.png\n", qPrintable(tag));
            w.help()->close();
        }
        w.clickNode(firstKey(w, u'I'));
        shoot(tag + QStringLiteral("main-picture"));
        w.clickNode(firstKey(w, u'S'));
        shoot(tag + QStringLiteral("main-sightings"));
        {
            // A bird whose picture is tied to one of its sightings.
            wf::Store& db = startup.state().db();
            SQLite::Statement q(db.database(),
                                "SELECT d.id, (SELECT s.id FROM sighting s WHERE s.birdid = "
                                "d.subid ORDER BY s.date DESC LIMIT 1), d.subid FROM data d "
                                "WHERE d.type = 'Image' AND d.catid = 1 AND EXISTS (SELECT 1 "
                                "FROM sighting s WHERE s.birdid = d.subid) LIMIT 1");
            if (q.executeStep()) {
                db.tiePicture(q.getColumn(0).getInt64(), q.getColumn(1).getInt64());
                const QString bird = QStringLiteral("S%1").arg(q.getColumn(2).getInt64());
                w.nodes().ensureVisible(bird);
                w.clickNode(bird);
                shoot(tag + QStringLiteral("main-sightings-photographed"));
            }
        }
        w.menuItem(QStringLiteral("mnuViewSubjectPage"))->trigger();
        settle(200);
        if (auto* page = w.findChild<QTextEdit*>(QStringLiteral("rtb"))) {
            // Down to the map of the places.
            page->verticalScrollBar()->setValue(page->verticalScrollBar()->maximum());
        }
        shoot(tag + QStringLiteral("main-subject-page"));
        {
            QComboBox* lists = w.cmbSearchCategory();
            const int outings = lists->findData(QStringLiteral("Outings"));
            lists->setCurrentIndex(outings);
            emit lists->activated(outings);
            settle(100);
            w.clickNode(QStringLiteral("O%1").arg(startup.state().db().outingList().front().id));
        }
        shoot(tag + QStringLiteral("main-outing"));
        if (auto* page = w.findChild<QTextEdit*>(QStringLiteral("rtb"))) {
            page->verticalScrollBar()->setValue(page->verticalScrollBar()->maximum());
        }
        shoot(tag + QStringLiteral("main-outing-end"));
        if (s == p.value(sizes).split(u',').front()) {
            // The report of both outings, to be looked at as pdftoppm draws it.
            const wf::Store& db = startup.state().db();
            const wf::TripReport report(db, startup.state().folder,
                                        db.outingsBetween(QDate(2026, 5, 1), QDate(2026, 5, 31)));
            report.writePdf(QDir(out).filePath(QStringLiteral("trip-report.pdf")));
            report.writeHtml(QDir(out).filePath(QStringLiteral("trip-report.html")));
            std::printf("  trip-report.pdf, trip-report.html\n");
        }
        w.cmbSearchCategory()->setCurrentIndex(0);
        emit w.cmbSearchCategory()->activated(0);
        settle(100);
        w.nodes().ensureVisible(QStringLiteral("L%1").arg(linkId));
        w.clickNode(QStringLiteral("L%1").arg(linkId));
        for (int i = 0; i < 40 && (w.webPane() == nullptr || w.webPane()->url().isEmpty()); ++i) {
            settle(100);
        }
        settle(1500);
        shoot(tag + QStringLiteral("main-link"));
        for (int i = 1; i < w.cmbSearchCategory()->count(); ++i) {
            const QString item = w.cmbSearchCategory()->itemData(i).toString();
            if (item == QLatin1String("Custom Search")) {
                continue;
            }
            w.cmbSearchCategory()->setCurrentIndex(i);
            emit w.cmbSearchCategory()->activated(i);
            shoot(tag + QStringLiteral("list-") + QString(item).replace(u' ', u'-'));
            if (item == QLatin1String("All Images")) {
                // The same pictures as thumbnails, once they have arrived.
                QAction* thumbnails = w.menuItem(QStringLiteral("mnuViewThumbnails"));
                thumbnails->setChecked(true);
                settle(1500);
                shoot(tag + QStringLiteral("main-thumbnails"));
                thumbnails->setChecked(false);
            }
        }
        if (s != p.value(sizes).split(u',').front()) {
            continue;  // the dialogs keep their own size: once is enough
        }
        w.cmbSearchCategory()->setCurrentIndex(0);
        emit w.cmbSearchCategory()->activated(0);
        w.clickNode(firstKey(w, u'A'));
        // The sighting editor filled in, with a name not in the world list
        // (its question shot), then closed over its changes (that question
        // shot); the subject editor's delete question.
        messages.folder = out;
        dialogs.steps[QStringLiteral("frmSight")] = [](QDialog& d) {
            d.findChild<QComboBox*>(QStringLiteral("cmbBird"))
                ->setEditText(QStringLiteral("Robbin"));
            d.findChild<QLineEdit*>(QStringLiteral("txtTime"))->setText(QStringLiteral("07:15"));
            d.findChild<QLineEdit*>(QStringLiteral("txtCount"))->setText(QStringLiteral("3"));
            d.findChild<QLineEdit*>(QStringLiteral("txtNotes"))->setText(QStringLiteral("a pair"));
            d.findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
        };
        dialogs.steps[QStringLiteral("frmStatistics")] = [](QDialog& d) {
            auto* tabs = d.findChild<QTabWidget*>(QStringLiteral("tabCharts"));
            tabs->setCurrentWidget(d.findChild<QWidget*>(QStringLiteral("pageMap")));
        };
        dialogs.steps[QStringLiteral("frmSubject")] = [](QDialog& d) {
            auto* box = d.findChild<QComboBox*>(QStringLiteral("cmbSubject"));
            const int wren = box->findText(QStringLiteral("Eurasian Wren"));
            box->setCurrentIndex(wren);
            emit box->activated(wren);
            d.findChild<QPushButton*>(QStringLiteral("cmdDelete"))->click();
        };
        for (const char* item :
             {"mnuFileNewSighting", "mnuFileNewArticle", "mnuFileNewImage", "mnuFileNewLink",
              "mnuEditEntry", "mnuEditSubject", "mnuViewCustom", "mnuViewOptions", "mnuFileRestore",
              "mnuFileExportEbird", "mnuFileReviewNames", "mnuViewStatistics", "mnuHelpAbout",
              "mnuEditGroupOutings", "mnuFileTripReport"}) {
            if (QAction* a = w.menuItem(QString::fromLatin1(item))) {
                a->setEnabled(true);
                a->trigger();
            }
        }
        w.toolButton(QStringLiteral("Related"))->setEnabled(true);
        w.toolButton(QStringLiteral("Related"))->trigger();
        messages.folder.clear();
        // Pictures from the camera: two taken on the day of the last
        // sighting, one with no date, one that is no picture.
        {
            SQLite::Statement last(startup.state().db().database(),
                                   "SELECT date FROM sighting WHERE date <> '' ORDER BY id DESC "
                                   "LIMIT 1");
            const QDate day =
                last.executeStep()
                    ? QDate::fromString(
                          QString::fromStdString(last.getColumn(0).getString()).left(10),
                          Qt::ISODate)
                    : QDate(2026, 5, 3);
            const QString camera = QDir(out).filePath(QStringLiteral("camera"));
            QDir().mkpath(camera);
            QImage scene(1200, 800, QImage::Format_RGB32);
            QPainter paint(&scene);
            QLinearGradient sky(0, 0, 0, 800);
            sky.setColorAt(0, QColor(0x6f, 0xa8, 0xdc));
            sky.setColorAt(1, QColor(0xd9, 0xc9, 0x9a));
            paint.fillRect(scene.rect(), sky);
            paint.setBrush(QColor(0x3a, 0x2a, 0x1a));
            paint.drawEllipse(QPoint(600, 420), 180, 110);
            paint.end();
            const auto save = [&](const QString& name, const QByteArray& bytes) {
                QFile f(QDir(camera).filePath(name));
                if (f.open(QIODevice::WriteOnly)) {
                    f.write(bytes);
                }
            };
            wf::test::CameraExif x;
            x.taken = QDateTime(day, QTime(7, 42));
            x.hasGps = true;  // by the hide where the checklist was kept
            x.latitude = 52.651;
            x.longitude = -0.641;
            save(QStringLiteral("IMG_4021.JPG"), wf::test::jpegWithExif(scene, x));
            x.hasGps = false;
            x.taken = QDateTime(day, QTime(7, 55));
            x.orientation = 6;
            save(QStringLiteral("IMG_4022.JPG"), wf::test::jpegWithExif(scene, x));
            save(QStringLiteral("IMG_4030.JPG"), wf::test::jpegWithExif(scene, {}));
            save(QStringLiteral("notes.jpg"), "field notes, not a picture");
            dialogs.steps[QStringLiteral("frmImportPictures")] = [](QDialog& d) {
                if (auto* table = d.findChild<QTableWidget*>(QStringLiteral("tblFiles"))) {
                    table->selectRow(2);
                }
            };
            w.importPictures({camera});
        }
    }
    w.close();
    settle(100);
    return 0;
}
