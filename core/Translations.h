// SPDX-License-Identifier: GPL-3.0-or-later
// The program's translations, and Qt's own for its dialogs (file chooser,
// colour picker, message box buttons), in the user's language.
#pragma once

#include <QString>
#include <QStringList>

namespace wf::translations {

// Where the program's .qm files are looked for: beside the installed
// program (share/wingfolio/translations) and in the build tree.
QStringList folders();

// Installs the translations for the user's locale, when there are any; with
// a file, that .qm file instead of the program's (a translator trying a
// translation, the pseudo-translation of the tests). Needs the application
// object; returns whether the program's own translation was installed.
bool install(const QString& file = {});

// "--translation FILE" or "--translation=FILE" among the arguments, read
// before the command line is parsed so that its texts are translated too.
QString fileFromArguments(const QStringList& arguments);

}  // namespace wf::translations
