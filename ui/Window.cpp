#include "ui/Window.h"

#include <QEventLoop>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/LanguageTexts.h"
#include "ui/LayoutLoader.h"
#include "ui/Timers.h"

namespace ui {

Window::Window(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {}

Window::~Window() {
    if (modalLoop_ != nullptr) {
        modalLoop_->exit(0);
    }
}

int Window::ExecModal(const std::function<void()>& onShown) {
    modalResult_ = 0;
    setWindowModality(parentWidget() != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    QRect area;
    if (QWidget* owner = parentWidget()) {
        area = owner->window()->frameGeometry();
    } else if (QScreen* s = screen()) {
        area = s->availableGeometry();
    }
    if (area.isValid()) {
        QRect frame = frameGeometry();
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
    QEventLoop loop;
    modalLoop_ = &loop;
    QPointer<Window> self(this);
    if (onShown) {
        QMetaObject::invokeMethod(this, onShown, Qt::QueuedConnection);
    }
    loop.exec(QEventLoop::DialogExec);
    if (!self) {
        return 0;
    }
    modalLoop_ = nullptr;
    hide();
    return modalResult_;
}

void Window::EndModal(int result) {
    modalResult_ = result;
    if (modalLoop_ != nullptr) {
        modalLoop_->exit(result);
    }
    hide();
}

bool Window::Create(const QString& layoutFile, const LoaderConfig& config) {
    LoaderConfig own = config;
    const CreateControlCallback outer = config.createControl;
    own.createControl = [this, outer](const QString& element, QWidget* parent) -> QWidget* {
        if (outer) {
            if (QWidget* w = outer(element, parent)) {
                return w;
            }
        }
        return CreateControl(element, parent);
    };
    LayoutLoader loader(own);
    QWidget* root = loader.Build(layoutFile, this);
    if (root == nullptr) {
        layoutError_ = loader.ErrorString();
        return false;
    }
    delete root_;
    delete layout();
    root_ = root;
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(root_);
    if (!root_->windowTitle().isEmpty()) {
        titleId_ = root_->windowTitle();
        setWindowTitle(Text(titleId_));
    }
    // The layout's top-level size is the window's initial size.
    resize(root_->size().expandedTo(root_->minimumSize()));
    return true;
}

void Window::ReapplyTexts() {
    ApplyTexts(this);
    if (!titleId_.isEmpty()) {
        setWindowTitle(Text(titleId_));
    }
}

void Window::SetTimer(int id, int milliseconds, bool singleShot) {
    ui::SetTimer(this, id, milliseconds, singleShot ? TimerMode::SingleShot : TimerMode::Repeating);
}

void Window::KillTimer(int id) {
    ui::KillTimer(this, id);
}

void Window::Notify(const Notification&) {}

QWidget* Window::CreateControl(const QString&, QWidget*) {
    return nullptr;
}

void Window::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!initialised_ && !event->spontaneous()) {
        initialised_ = true;
        InitWindow();
        Notify(Notification{QString::fromLatin1(notify::kWindowInit), this, objectName(), 0, 0});
    }
}

void Window::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().y() < captionHeight_ &&
        windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

}  // namespace ui
