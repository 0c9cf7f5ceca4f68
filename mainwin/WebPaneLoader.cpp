// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <QtGlobal>

#include "Module.h"
#include "Tr.h"
#include "WebPane.h"

namespace wf {

bool webSandboxOff() {
    // The web engine refuses to start its sandbox for root and ends the
    // whole program; run as root, it runs without it.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    return qEnvironmentVariableIntValue("QTWEBENGINE_DISABLE_SANDBOX") != 0;
}

WebPane* createWebPane(QWidget* parent, QString* error) {
    using Factory = WebPane* (*)(QWidget*);
    QString why;
    const auto factory = moduleEntry<Factory>(QStringLiteral("webpane"), kWebPaneFactory, &why);
    if (factory == nullptr) {
        if (error) {
            *error = tr("The web browser module cannot be loaded: ") + why;
        }
        return nullptr;
    }
    return factory(parent);
}

}  // namespace wf
