// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace wf {

// The web browser pane: a page shown in the main window, with the moves of a
// browser. It lives in a module of its own (the web engine is large), loaded
// the first time a page is shown; this interface is all the window knows of
// it. The pane's widget belongs to the parent it was made with.
class WebPane {
  public:
    virtual ~WebPane() = default;

    // What the window lays out and shows.
    virtual QWidget* widget() = 0;
    // The browser view inside it (a QWebEngineView), for tests and tools.
    virtual QWidget* view() = 0;

    virtual void load(const QUrl& url) = 0;
    virtual QUrl url() const = 0;
    virtual bool canGoBack() const = 0;
    virtual bool canGoForward() const = 0;
    virtual void back() = 0;
    virtual void forward() = 0;
    virtual void stop() = 0;
    virtual void reload() = 0;
    // Runs a script in the page (tests and tools drive pages so).
    virtual void runJavaScript(const QString& script) = 0;

    // Told when the page's address changes (a link followed inside it too)
    // and when a page has finished loading.
    virtual void onUrlChanged(std::function<void(const QUrl&)> f) = 0;
    virtual void onLoadFinished(std::function<void(bool ok)> f) = 0;
};

// The name of the function the module exports: WebPane* (QWidget* parent).
inline constexpr const char* kWebPaneFactory = "wingfolio_create_web_pane";

// Loads the module (once) and makes a pane as a child of parent; null, with
// why in *error, when the module cannot be loaded.
WebPane* createWebPane(QWidget* parent, QString* error);

// Whether the web engine will run without its sandbox: as root it must (it
// would end the program otherwise), so for root it is turned off here,
// before the engine starts.
bool webSandboxOff();

}  // namespace wf
