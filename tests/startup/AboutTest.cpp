// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "AppFixture.h"
#include "Artwork.h"
#include "frmAbout.h"

using namespace wf;
using namespace wf::test;

using AboutTest = AppFixture;

TEST_F(AboutTest, HelpAboutShowsTheBoxAndOkClosesIt) {
    frmMain& w = startToMain();
    bool checked = false;
    dialogs.queue([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("frmAbout"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("About Wingfolio"));
        EXPECT_EQ(d.findChild<QLabel*>("Label1")->text(), QStringLiteral("Wingfolio"));
        EXPECT_EQ(d.findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Version 1.0"));
        EXPECT_EQ(d.findChild<QLabel*>("lblVersion")->font().family(),
                  QStringLiteral("Times New Roman"));
        EXPECT_EQ(d.findChild<QLabel*>("lblWebCaption")->text(), QStringLiteral("Web Page : "));
        EXPECT_EQ(d.findChild<QLabel*>("lblEmailCaption")->text(),
                  QStringLiteral("Email Support : "));
        EXPECT_FALSE(d.findChild<QLabel*>("picIcon")->pixmap().isNull());
        EXPECT_TRUE(d.findChild<QLabel*>("lblAttribution")
                        ->text()
                        .contains(QStringLiteral("AviList Core Team. 2025")));
        // Every address in the attribution keeps to one line.
        auto* attribution = d.findChild<QLabel*>("lblAttribution");
        for (const char* url : {"https://doi.org/10.2173/avilist.v2025",
                                "https://creativecommons.org/licenses/by/4.0/"}) {
            EXPECT_TRUE(attribution->text().contains(
                QStringLiteral("style=\"white-space:nowrap\">%1</a>").arg(QLatin1String(url))));
            EXPECT_LE(attribution->fontMetrics().horizontalAdvance(QLatin1String(url)),
                      attribution->contentsRect().width());
        }
        EXPECT_TRUE(attribution->text().contains(QStringLiteral("GPL-3.0-or-later")));
        auto* ok = d.findChild<QPushButton*>("cmdOK");
        EXPECT_EQ(ok->text(), QStringLiteral("OK"));
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
        checked = true;
    });
    w.findChild<QAction*>(QStringLiteral("mnuHelpAbout"))->trigger();
    EXPECT_TRUE(checked);
    EXPECT_EQ(dialogs.shown(), QStringList{"frmAbout"});
}

TEST_F(AboutTest, TheWindowIconIsTheProductPictureAtEachSize) {
    frmMain& w = startToMain();
    const QIcon icon = w.windowIcon();
    ASSERT_EQ(icon.availableSizes().size(), 6);
    for (const QSize& size : icon.availableSizes()) {
        const QImage drawn = icon.pixmap(size).toImage();
        ASSERT_EQ(drawn.size(), size);
        EXPECT_EQ(drawn,
                  artwork::productPicture(size.width()).toImage().convertToFormat(drawn.format()));
    }
    // Between the listed sizes too, and greyed when disabled.
    EXPECT_EQ(icon.pixmap(40).size(), QSize(40, 40));
    EXPECT_NE(icon.pixmap(QSize(32, 32), QIcon::Disabled).toImage(), icon.pixmap(32).toImage());
}
