// SPDX-License-Identifier: GPL-3.0-or-later
// The web browser pane on Qt WebEngine, built as a module that the program
// loads the first time it shows a page.
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>
#include <QWindow>
#include <memory>

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

// The view, filling the pane. It draws through OpenGL, and a window that
// holds such a view must be made for OpenGL. The main window is made without
// it (OpenGL stays out of the start), and would be made again when the first
// view arrived. So the view lives in a window of its own, made for OpenGL
// from the first, inside a plain window that the pane holds as a native
// child. The plain window between them keeps the view's window a window of
// its own for the keyboard: a click in the page gives it the keys, a click
// outside gives them back.
class WebEnginePane final : public QWidget, public WebPane {
  public:
    explicit WebEnginePane(QWidget* parent)
        : QWidget(parent), host_(std::make_unique<QWidget>()), holder_(new QWindow) {
        host_->setObjectName(QStringLiteral("webHost"));
        host_->setAttribute(Qt::WA_ShowWithoutActivating);  // the keys stay where they are
        view_ = new QWebEngineView(host_.get());
        view_->setObjectName(QStringLiteral("web"));
        auto* inner = new QVBoxLayout(host_.get());
        inner->setContentsMargins(0, 0, 0, 0);
        inner->addWidget(view_);
        // Asked to stop (nothing), the engine starts and puts its drawing
        // widget into the view now: the view's window is then made once, for
        // OpenGL, with that widget in it.
        view_->page()->triggerAction(QWebEnginePage::Stop);
        QWidget* container = QWidget::createWindowContainer(holder_, this);  // owns it
        container->setObjectName(QStringLiteral("webContainer"));
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(container);
        host_->winId();
        host_->windowHandle()->setParent(holder_);
        host_->windowHandle()->installEventFilter(this);
        host_->hide();  // shown with the pane
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

  protected:
    // Qt asks for the keys when the page is pressed, but a window manager
    // that focuses the main window on the same click may come later and
    // win; asked again as the button is let go, the page keeps them.
    bool eventFilter(QObject* watched, QEvent* e) override {
        QWindow* window = host_->windowHandle();
        if (watched == window && e->type() == QEvent::MouseButtonRelease &&
            QGuiApplication::focusWindow() != window) {
            window->requestActivate();
        }
        return QWidget::eventFilter(watched, e);
    }
    // The view's window is shown, hidden and sized with the pane.
    void showEvent(QShowEvent* e) override {
        QWidget::showEvent(e);
        host_->show();
    }
    void hideEvent(QHideEvent* e) override {
        QWidget::hideEvent(e);
        host_->hide();
    }
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        host_->setGeometry(QRect(QPoint(0, 0), e->size()));
    }

  private:
    // The view's window; deleted before the container and the plain window.
    std::unique_ptr<QWidget> host_;
    QWindow* holder_;  // the plain window, owned by the container
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
