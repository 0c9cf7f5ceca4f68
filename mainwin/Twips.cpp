// SPDX-License-Identifier: GPL-3.0-or-later
#include "Twips.h"

#include <QStringList>

namespace wf {

std::vector<GridColumn> parseGridFormat(const QString& format) {
    std::vector<GridColumn> columns;
    for (const QString& part : format.split(u'|')) {
        GridColumn c;
        QString text = part;
        if (text.startsWith(u'<')) {
            c.alignment = Qt::AlignLeft;
            text.remove(0, 1);
        } else if (text.startsWith(u'^')) {
            c.alignment = Qt::AlignHCenter;
            text.remove(0, 1);
        } else if (text.startsWith(u'>')) {
            c.alignment = Qt::AlignRight;
            text.remove(0, 1);
        }
        c.header = text;
        columns.push_back(c);
    }
    return columns;
}

}  // namespace wf
