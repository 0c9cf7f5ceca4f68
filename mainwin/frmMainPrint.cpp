// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's printing, trip reports and pictures from the camera:
// File, Print with its preview; File, Export Trip Report; File, Import
// Pictures and files dropped on the window.
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QFormLayout>
#include <QFutureWatcher>
#include <QLabel>
#include <QMimeData>
#include <QProgressDialog>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentMap>

#include "AppError.h"
#include "BusyCursor.h"
#include "DateField.h"
#include "EntryViewer.h"
#include "FileChooser.h"
#include "ListDocument.h"
#include "Module.h"
#include "PhotoImport.h"
#include "Printing.h"
#include "SubjectPage.h"
#include "TripReport.h"
#include "Words.h"
#include "frmImportPictures.h"
#include "frmMain.h"

namespace wf {

const Printing* printing(QString* error) {
    using Entry = const Printing* (*)();
    QString why;
    const auto entry = moduleEntry<Entry>(QStringLiteral("printing"), kPrintingEntry, &why);
    if (entry == nullptr) {
        if (error) {
            *error = QCoreApplication::translate("wf::frmMain",
                                                 "The printing module cannot be loaded: ") +
                     why;
        }
        return nullptr;
    }
    return entry();
}

std::unique_ptr<QTextDocument> frmMain::printDocument() const {
    auto doc = std::make_unique<QTextDocument>();
    PageBrowser* page = viewer_->text();
    if (page->isVisible() && !page->document()->isEmpty()) {
        // The page as shown, under the title the window gives it, with the
        // images the page was given.
        for (auto it = page->images().begin(); it != page->images().end(); ++it) {
            doc->addResource(QTextDocument::ImageResource, it.key(), it.value());
        }
        const QTextDocument* shown = page->document();
        for (QTextBlock b = shown->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                if (f.isImageFormat()) {
                    const QUrl name(f.toImageFormat().name());
                    const QVariant image = shown->resource(QTextDocument::ImageResource, name);
                    if (image.isValid()) {
                        doc->addResource(QTextDocument::ImageResource, name, image);
                    }
                }
            }
        }
        QTextCursor c(doc.get());
        const QString title = viewer_->title()->text();
        if (!title.isEmpty()) {
            c.insertHtml(QStringLiteral("<h2>%1</h2>").arg(title.toHtmlEscaped()));
            c.insertBlock(QTextBlockFormat(), QTextCharFormat());
        }
        c.insertFragment(QTextDocumentFragment(shown));
        return doc;
    }
    // The list, as far as it is open: what the reader sees is what is printed.
    const NodeTree& tree = nodes();
    const QStringList roots = tree.childKeys({});
    if (roots.isEmpty()) {
        return doc;
    }
    const QString root = roots.front();
    std::vector<ListLine> lines;
    std::function<void(const QString&, int)> walk = [&](const QString& key, int depth) {
        for (const QString& child : tree.childKeys(key)) {
            const QChar kind = child.isEmpty() ? QChar() : child.front();
            lines.push_back({depth, tree.text(child), kind == u'S' || kind == u'O'});
            if (tree.isExpanded(child)) {
                walk(child, depth + 1);
            }
        }
    };
    walk(root, 0);
    QStringList subtitle;
    if (!cmbPeriod()->isHidden() && !cmbPeriod()->currentText().isEmpty()) {
        subtitle << cmbPeriod()->currentText();
    }
    if (!cmbArea()->isHidden() && !cmbArea()->currentText().isEmpty()) {
        subtitle << cmbArea()->currentText();
    }
    doc->setHtml(listDocumentHtml(tree.text(root), subtitle.join(QStringLiteral(", ")), lines));
    return doc;
}

void frmMain::mnuFilePrint_Click() {
    QString why;
    const Printing* printer = printing(&why);
    if (printer == nullptr) {
        state_.services.messages.notify(why, tr("Print"), MsgIcon::Exclamation);
        return;
    }
    const std::unique_ptr<QTextDocument> doc = printDocument();
    if (doc->isEmpty()) {
        state_.services.messages.notify(tr("There is nothing shown to print."), tr("Print"),
                                        MsgIcon::Information);
        return;
    }
    const std::unique_ptr<QDialog> preview =
        printer->previewDialog(*doc, tr("Print Preview"), const_cast<frmMain*>(this));
    preview->resize(std::max(800, width() * 3 / 4), std::max(600, height() * 9 / 10));
    state_.services.dialogs.exec(*preview);
}

void frmMain::mnuFileTripReport_Click() {
    MessageBoxes& messages = state_.services.messages;
    const QString caption = tr("Export Trip Report");
    std::optional<Outing> shown;
    try {
        if (state_.CurrentEntryKind == QLatin1String("O")) {
            shown = state_.db().outing(state_.CurrentEntryId);
        }
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
        return;
    }
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("frmTripReport"));
    dialog.setWindowTitle(caption);
    dialog.setMinimumWidth(dialog.fontMetrics().averageCharWidth() * 60);
    auto* layout = new QVBoxLayout(&dialog);
    auto* one = new QRadioButton(&dialog);
    one->setObjectName(QStringLiteral("optOne"));
    if (shown) {
        QString what = shown->date.isValid() ? words::date(shown->date) : tr("no date");
        if (!shown->site.trimmed().isEmpty()) {
            what += tr(" at ") + shown->site.trimmed();
        }
        one->setText(tr("The &outing shown: %1").arg(what));
    } else {
        one->setText(tr("The &outing shown (choose one in the Outings list)"));
        one->setEnabled(false);
    }
    auto* range = new QRadioButton(tr("&Every outing dated"), &dialog);
    range->setObjectName(QStringLiteral("optRange"));
    layout->addWidget(one);
    layout->addWidget(range);
    auto* form = new QFormLayout;
    const QDate today = state_.services.clock.now().date();
    const bool dated = shown && shown->date.isValid();
    const auto [fromField, toField] =
        addDateRange(form, &dialog, dated ? shown->date : QDate(today.year(), 1, 1),
                     dated ? shown->date : today);
    layout->addLayout(form);
    auto* note = new QLabel(tr("Saved as PDF, or as a web page (.html) with its pictures in a "
                               "folder beside it."),
                            &dialog);
    note->setWordWrap(true);
    layout->addWidget(note);
    connect(range, &QRadioButton::toggled, fromField, &QWidget::setEnabled);
    connect(range, &QRadioButton::toggled, toField, &QWidget::setEnabled);
    (shown ? one : range)->setChecked(true);
    fromField->setEnabled(range->isChecked());
    toField->setEnabled(range->isChecked());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (state_.services.dialogs.exec(dialog) != QDialog::Accepted) {
        return;
    }
    std::vector<qint64> outings;
    QDate from = std::min(fromField->date(), toField->date());
    QDate to = std::max(fromField->date(), toField->date());
    try {
        if (one->isChecked() && shown) {
            outings.push_back(shown->id);
        } else {
            outings = state_.db().outingsBetween(from, to);
        }
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
        return;
    }
    if (outings.empty()) {
        messages.notify(
            tr("There are no outings from %1 to %2.").arg(words::date(from), words::date(to)),
            caption, MsgIcon::Information);
        return;
    }
    const QString name =
        shown && one->isChecked() && shown->date.isValid()
            ? QStringLiteral("trip-report-%1.pdf").arg(shown->date.toString(Qt::ISODate))
            : QStringLiteral("trip-report-%1-to-%2.pdf")
                  .arg(from.toString(Qt::ISODate), to.toString(Qt::ISODate));
    const QString target = chooseSaveFile(
        state_.services.dialogs, this,
        {caption, QStringLiteral("dlgTripReportFile"), QDir(QDir::homePath()).filePath(name),
         tr("PDF documents (*.pdf);;Web pages (*.html)"), QStringLiteral("pdf")});
    if (target.isEmpty()) {
        return;
    }
    const QString suffix = QFileInfo(target).suffix().toLower();
    const bool asHtml = suffix == QLatin1String("html") || suffix == QLatin1String("htm");
    try {
        const BusyCursor busy;
        const TripReport report(state_.db(), state_.folder, outings);
        if (asHtml) {
            report.writeHtml(target);
        } else {
            report.writePdf(target);
        }
    } catch (const AppError& e) {
        messages.notify(tr("The trip report was not written. Error # ") +
                            QString::number(e.number()) + e.description(),
                        caption, MsgIcon::Exclamation);
        return;
    }
    messages.notify(
        asHtml ? tr("The trip report of %1 was written to %2, its pictures to %3.")
                     .arg(words::counted(qint64(outings.size()), tr("outing"), tr("outings")),
                          QDir::toNativeSeparators(target),
                          QDir::toNativeSeparators(TripReport::picturesFolderFor(target)))
               : tr("The trip report of %1 was written to %2.")
                     .arg(words::counted(qint64(outings.size()), tr("outing"), tr("outings")),
                          QDir::toNativeSeparators(target)),
        caption, MsgIcon::Information);
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void frmMain::dropEvent(QDropEvent* event) {
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    // After the drop has ended, so that the file manager is not kept waiting.
    QTimer::singleShot(0, this, [this, files] { importPictures(files); });
}

void frmMain::mnuFileImportPictures_Click() {
    const QStringList files = chooseOpenFiles(
        state_.services.dialogs, this, tr("Import Pictures"), QStringLiteral("dlgImportFiles"),
        tr("Pictures (*.jpg *.jpeg *.JPG *.JPEG *.png *.tif *.tiff *.webp *.bmp);;All files (*)"));
    if (!files.isEmpty()) {
        importPictures(files);
    }
}

void frmMain::importPictures(const QStringList& paths, qint64 bird) {
    // The files are looked at on other threads, the window answering and
    // showing how far it has got; Cancel stops before anything is proposed.
    const QStringList files = PhotoImport::filesIn(paths);
    QFuture<PhotoFile> looking = QtConcurrent::mapped(files, &PhotoFile::inspect);
    {
        QProgressDialog progress(tr("Looking at the pictures..."), tr("Cancel"), 0,
                                 int(files.size()), this);
        progress.setObjectName(QStringLiteral("dlgImportProgress"));
        progress.setWindowTitle(tr("Import Pictures"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(300);
        QFutureWatcher<PhotoFile> watcher;
        QEventLoop loop;
        connect(&watcher, &QFutureWatcher<PhotoFile>::progressValueChanged, &progress,
                &QProgressDialog::setValue);
        connect(&watcher, &QFutureWatcher<PhotoFile>::finished, &loop, &QEventLoop::quit);
        connect(&progress, &QProgressDialog::canceled, &watcher,
                &QFutureWatcher<PhotoFile>::cancel);
        watcher.setFuture(looking);
        if (!looking.isFinished()) {
            loop.exec();
        }
        if (looking.isCanceled()) {
            return;
        }
    }
    std::vector<PhotoChoice> choices;
    try {
        const BusyCursor busy;
        const QList<PhotoFile> looked = looking.results();
        choices =
            PhotoImport::propose(state_.db(), std::vector<PhotoFile>(looked.begin(), looked.end()));
        if (bird != 0) {
            const QString name = state_.db().subjectName(Category::Birds, bird).value_or(QString());
            for (PhotoChoice& c : choices) {
                if (c.file.ok() && c.birdid == 0) {
                    c.birdid = bird;
                    c.title = c.file.exif.taken.isValid()
                                  ? name + QStringLiteral(", ") +
                                        words::date(c.file.exif.taken.date(), DateStyle::Long)
                                  : name;
                }
            }
        }
    } catch (const AppError& e) {
        reportLoadError(e.number(), e.description());
        return;
    }
    if (choices.empty()) {
        state_.services.messages.notify(tr("There are no files there to import."),
                                        tr("Import Pictures"), MsgIcon::Information);
        return;
    }
    frmImportPictures review(state_, std::move(choices), this);
    state_.services.dialogs.exec(review);
    if (review.stored() > 0) {
        cmbSearchCategory_Click();  // the new pictures in the list shown
    }
}

}  // namespace wf
