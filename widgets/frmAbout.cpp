// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmAbout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Artwork.h"
#include "Resources.h"

namespace wf {

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Wingfolio"));
    setWindowIcon(artwork::appIcon());

    auto* picIcon = label(this, "picIcon", QString());
    picIcon->setPixmap(artwork::productPicture(96));
    picIcon->setAlignment(Qt::AlignTop);

    QFont times(QStringLiteral("Times New Roman"));
    auto* Label1 = label(this, "Label1", QStringLiteral("Wingfolio"));
    QFont big = times;
    big.setPointSize(20);
    big.setBold(true);
    Label1->setFont(big);
    auto* lblVersion =
        label(this, "lblVersion", tr("Version %1").arg(QStringLiteral(WINGFOLIO_VERSION)));
    times.setPointSize(12);
    lblVersion->setFont(times);

    const QString web = QString::fromLatin1(kWebPage);
    const QString mail = QString::fromLatin1(kSupportEmail);
    auto* lblWebCaption = label(this, "lblWebCaption", tr("Web Page : "));
    auto* lblWeb = label(this, "lblWeb", QStringLiteral("<a href=\"%1\">%1</a>").arg(web));
    lblWeb->setOpenExternalLinks(true);
    auto* lblEmailCaption = label(this, "lblEmailCaption", tr("Email Support : "));
    auto* lblEmail =
        label(this, "lblEmail", QStringLiteral("<a href=\"mailto:%1\">%1</a>").arg(mail));
    lblEmail->setOpenExternalLinks(true);

    // The attribution, one part to a line: an address never breaks.
    const auto link = [](const char* url) {
        return QStringLiteral("<a href=\"%1\" style=\"white-space:nowrap\">%1</a>")
            .arg(QString::fromLatin1(url));
    };
    const QString attribution =
        tr("Bird species list: AviList Core Team. 2025. AviList: The Global Avian "
           "Checklist, v2025.<br>") +
        link("https://doi.org/10.2173/avilist.v2025") + tr("<br>Licensed under CC BY 4.0: ") +
        link("https://creativecommons.org/licenses/by/4.0/") +
        tr("<br>Changed: only species-rank rows, with their sequence, English "
           "name, scientific name, order and family, are included.<br><br>"
           "Wingfolio is free software: you can redistribute it and/or modify it "
           "under the GNU General Public License, version 3 or later "
           "(GPL-3.0-or-later).");
    auto* lblAttribution = label(this, "lblAttribution", attribution);
    lblAttribution->setTextFormat(Qt::RichText);
    lblAttribution->setOpenExternalLinks(true);
    lblAttribution->setWordWrap(true);
    QFont small = lblAttribution->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    lblAttribution->setFont(small);

    auto* cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(Label1);
    text->addWidget(lblVersion);
    auto* contact = new QGridLayout;
    contact->addWidget(lblWebCaption, 0, 0);
    contact->addWidget(lblWeb, 0, 1);
    contact->addWidget(lblEmailCaption, 1, 0);
    contact->addWidget(lblEmail, 1, 1);
    contact->setColumnStretch(1, 1);
    text->addSpacing(8);
    text->addLayout(contact);
    text->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(picIcon);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addWidget(lblAttribution);
    layout->addLayout(buttons);
    setFixedWidth(460);
}

}  // namespace wf
