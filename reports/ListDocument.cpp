// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListDocument.h"

namespace wf {

QString listDocumentHtml(const QString& title, const QString& subtitle,
                         const std::vector<ListLine>& lines) {
    QString h = QStringLiteral("<h2>%1</h2>").arg(title.toHtmlEscaped());
    if (!subtitle.isEmpty()) {
        h += QStringLiteral("<p>%1</p>").arg(subtitle.toHtmlEscaped());
    }
    h += QStringLiteral("<table cellspacing='0' cellpadding='1'>");
    int n = 0;
    for (const ListLine& line : lines) {
        const QString number = line.counted ? QString::number(++n) : QString();
        h += QStringLiteral(
                 "<tr><td align='right'>%1</td><td style='padding-left:%2px'>%3</td></tr>")
                 .arg(number)
                 .arg(6 + 18 * line.depth)
                 .arg(line.text.toHtmlEscaped());
    }
    return h + QStringLiteral("</table>");
}

}  // namespace wf
