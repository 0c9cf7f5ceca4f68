// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace wf {

// The subject picker's completion over a list sorted without regard to
// letter case: which item a prefix completes to, and which item a whole
// text names. The widget only feeds it text and caret.
class SubjectCompleter {
  public:
    // items need not be sorted; the completer sorts them (letter case
    // ignored) and keeps that order, which is also the list's order.
    explicit SubjectCompleter(QStringList items = {});

    const QStringList& items() const { return items_; }

    // The first item, in list order, that begins with the characters before
    // the caret (letter case ignored; '*', '?', '#' and '[...]' are wildcards)
    // and is not the whole text itself. Nothing when none qualifies or the
    // prefix holds a '[' without its ']'.
    std::optional<QString> completion(const QString& text, int caret) const;

    // The first item equal to text, letter case ignored.
    std::optional<QString> exactItem(const QString& text) const;

  private:
    // The first index whose item is not below key (letter case ignored).
    qsizetype lowerBound(const QString& key) const;

    QStringList items_;
};

}  // namespace wf
