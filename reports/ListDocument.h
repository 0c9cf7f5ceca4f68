// SPDX-License-Identifier: GPL-3.0-or-later
// A list of the main window (a life list, a year list, the outings) as a
// printed page: its title, then its lines, each indented by its depth.
#pragma once

#include <QString>
#include <vector>

namespace wf {

struct ListLine {
    int depth = 0;  // 0 for the list's own lines, 1 for what hangs under one
    QString text;
    bool counted = false;  // numbered 1, 2, 3 (a species of a life list)
};

// The page as HTML.
QString listDocumentHtml(const QString& title, const QString& subtitle,
                         const std::vector<ListLine>& lines);

}  // namespace wf
