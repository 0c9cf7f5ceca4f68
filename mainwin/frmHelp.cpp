// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmHelp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include "Artwork.h"

namespace wf {

namespace {

const QString kHelpDir = QStringLiteral(":/wingfolio/help/");

QString pageText(const QString& file) {
    QFile f(kHelpDir + file);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    QString html = QString::fromUtf8(f.readAll());
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return html;
}

QString pageTitle(const QString& file) {
    QFile f(kHelpDir + file);
    if (!f.open(QIODevice::ReadOnly)) {
        return file;
    }
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("<title>(.*)</title>"))
                                          .match(QString::fromUtf8(f.readAll()));
    return m.hasMatch() ? m.captured(1) : file;
}

}  // namespace

frmHelp::frmHelp(QWidget* parent)
    : QWidget(parent, Qt::Window),
      browser_(new QTextBrowser(this)),
      txtSearch_(new QLineEdit(this)),
      lstResults_(new QListWidget(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("Wingfolio Help"));
    setWindowIcon(artwork::appIcon());
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setSearchPaths({kHelpDir});
    browser_->setOpenExternalLinks(true);
    txtSearch_->setObjectName(QStringLiteral("txtHelpSearch"));
    txtSearch_->setPlaceholderText(tr("Find a topic"));
    lstResults_->setObjectName(QStringLiteral("lstHelpResults"));
    auto* tools = new QToolBar(this);
    QAction* contents = tools->addAction(artwork::icon(QStringLiteral("Home")), tr("Contents"));
    contents->setObjectName(QStringLiteral("Contents"));
    QAction* back = tools->addAction(artwork::icon(QStringLiteral("Back")), tr("Back"));
    back->setObjectName(QStringLiteral("Back"));
    QAction* forward = tools->addAction(artwork::icon(QStringLiteral("Forward")), tr("Forward"));
    forward->setObjectName(QStringLiteral("Forward"));
    connect(contents, &QAction::triggered, this,
            [this] { browser_->setSource(QUrl(QStringLiteral("index.html"))); });
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(txtSearch_, &QLineEdit::textChanged, this, &frmHelp::search);
    connect(lstResults_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        browser_->setSource(QUrl(item->data(Qt::UserRole).toString()));
    });
    connect(lstResults_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        browser_->setSource(QUrl(item->data(Qt::UserRole).toString()));
    });

    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(tr("Search:"), this));
    side->addWidget(txtSearch_);
    side->addWidget(lstResults_, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(side);
    body->addWidget(browser_, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tools);
    layout->addLayout(body);
    resize(820, 560);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

QString frmHelp::pageFor(const QString& windowName) {
    static const std::pair<const char*, const char*> pages[] = {
        {"frmText", "editors.html"},          {"frmPic", "editors.html"},
        {"frmLink", "editors.html"},          {"frmSight", "editors.html"},
        {"frmSubject", "editors.html"},       {"frmNewBird", "editors.html"},
        {"frmSearch", "search.html"},         {"frmOptions", "lifelists.html"},
        {"frmStatistics", "lifelists.html"},  {"frmReviewNames", "exchange.html"},
        {"frmSplitCountry", "exchange.html"}, {"frmExportRange", "exchange.html"},
        {"frmRestore", "data.html"},          {"frmRelated", "commands.html"},
        {"frmMain", "mainwindow.html"},
    };
    for (const auto& [name, page] : pages) {
        if (windowName == QLatin1String(name)) {
            return QString::fromLatin1(page);
        }
    }
    return QStringLiteral("index.html");
}

void frmHelp::openPage(const QString& page, QWidget* over) {
    browser_->setSource(QUrl(page));
    const bool overModal = over != nullptr && over->isModal();
    if (isVisible() && (windowModality() != Qt::NonModal) != overModal) {
        hide();  // modality changes only while hidden
    }
    if (!isVisible()) {
        setWindowModality(overModal ? Qt::ApplicationModal : Qt::NonModal);
        // Centred on the window asked from, and whole on its screen.
        const QScreen* screen = over != nullptr ? over->screen() : QGuiApplication::primaryScreen();
        const QRect avail = screen != nullptr ? screen->availableGeometry() : QRect();
        QSize size(820, 560);
        if (avail.isValid()) {
            // Room for the frame the window system adds.
            size = size.boundedTo(avail.size() - QSize(40, 60));
        }
        resize(size);
        QPoint centre = over != nullptr ? over->frameGeometry().center() : avail.center();
        QRect place(QPoint(), size);
        place.moveCenter(centre);
        if (avail.isValid()) {
            place.moveLeft(std::clamp(place.left(), avail.left(),
                                      std::max(avail.left(), avail.right() - size.width() - 20)));
            place.moveTop(std::clamp(place.top(), avail.top(),
                                     std::max(avail.top(), avail.bottom() - size.height() - 40)));
        }
        move(place.topLeft());
    }
    show();
    raise();
    activateWindow();
    browser_->setFocus();
}

void frmHelp::search(const QString& words) {
    lstResults_->clear();
    const QStringList terms = words.split(u' ', Qt::SkipEmptyParts);
    if (terms.isEmpty()) {
        return;
    }
    const QStringList pages = QDir(kHelpDir).entryList({QStringLiteral("*.html")}, QDir::Files);
    for (const QString& page : pages) {
        const QString text = pageText(page);
        const bool all = std::all_of(terms.begin(), terms.end(), [&](const QString& t) {
            return text.contains(t, Qt::CaseInsensitive);
        });
        if (all) {
            auto* item = new QListWidgetItem(pageTitle(page), lstResults_);
            item->setData(Qt::UserRole, page);
        }
    }
}

}  // namespace wf
