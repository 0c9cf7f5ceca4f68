// SPDX-License-Identifier: GPL-3.0-or-later
// The web browser pane on Qt WebEngine, built as a module that the program
// loads the first time it shows a page.
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>

#include "WebPane.h"

// Qt's own (exported by Qt GUI): the context every OpenGL context of the
// application shares its resources with.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace wf {

namespace {

// The web engine draws in OpenGL contexts that share with one context of
// the whole application. Qt makes that context when the application starts,
// if asked to then; the program does not ask (it would load OpenGL on every
// start), so it is made here, once, before the first view.
void shareOpenGLOnce() {
    if (QOpenGLContext::globalShareContext() != nullptr) {
        return;
    }
    // Kept even when it cannot be made (no OpenGL, as headless): Qt does the
    // same at start, and the engine then draws in software.
    auto* context = new QOpenGLContext(qApp);  // lives as long as the application
    context->create();
    qt_gl_set_global_share_context(context);
}

// The view, filling the pane. It draws through OpenGL: on X11 the main
// window, made without it, is made again once when the first view arrives.
class WebEnginePane final : public QWidget, public WebPane {
  public:
    explicit WebEnginePane(QWidget* parent) : QWidget(parent) {
        view_ = new QWebEngineView(this);
        view_->setObjectName(QStringLiteral("web"));
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
        QObject::connect(view_, &QWebEngineView::urlChanged, this, [this](const QUrl& u) {
            if (urlChanged_) {
                urlChanged_(u);
            }
        });
        QObject::connect(view_, &QWebEngineView::loadFinished, this, [this](bool ok) {
            if (loadFinished_) {
                loadFinished_(ok);
            }
        });
    }

    QWidget* widget() override { return this; }
    QWidget* view() override { return view_; }
    void load(const QUrl& url) override { view_->load(url); }
    QUrl url() const override { return view_->url(); }
    bool canGoBack() const override { return view_->history()->canGoBack(); }
    bool canGoForward() const override { return view_->history()->canGoForward(); }
    void back() override { view_->back(); }
    void forward() override { view_->forward(); }
    void stop() override { view_->stop(); }
    void reload() override { view_->reload(); }
    void runJavaScript(const QString& script) override { view_->page()->runJavaScript(script); }
    void onUrlChanged(std::function<void(const QUrl&)> f) override { urlChanged_ = std::move(f); }
    void onLoadFinished(std::function<void(bool)> f) override { loadFinished_ = std::move(f); }

  private:
    QWebEngineView* view_ = nullptr;
    std::function<void(const QUrl&)> urlChanged_;
    std::function<void(bool)> loadFinished_;
};

}  // namespace

}  // namespace wf

extern "C" Q_DECL_EXPORT wf::WebPane* wingfolio_create_web_pane(QWidget* parent) {
    wf::shareOpenGLOnce();
    return new wf::WebEnginePane(parent);  // owned by parent
}
