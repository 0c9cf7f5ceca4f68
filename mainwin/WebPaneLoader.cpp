// SPDX-License-Identifier: GPL-3.0-or-later
#include "Module.h"
#include "WebPane.h"

namespace wf {

WebPane* createWebPane(QWidget* parent, QString* error) {
    using Factory = WebPane* (*)(QWidget*);
    QString why;
    const auto factory = moduleEntry<Factory>(QStringLiteral("webpane"), kWebPaneFactory, &why);
    if (factory == nullptr) {
        if (error) {
            *error = QStringLiteral("The web browser module cannot be loaded: ") + why;
        }
        return nullptr;
    }
    return factory(parent);
}

}  // namespace wf
