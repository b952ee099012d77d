#include "app/MsgWnd.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QAbstractButton>
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>

#include "appearance/AppearanceControls.h"
#include "base/Trace.h"
#include "ui/LanguageTexts.h"
#include "ui/Scaling.h"
#include "ui/SkinResources.h"

namespace {

CMsgWnd::ShownHook& ShownHookSlot() {
    static CMsgWnd::ShownHook hook;
    return hook;
}

constexpr std::array<int, 7> kAcceptedDpi = {48, 72, 96, 120, 144, 168, 192};

}  // namespace

CMsgWnd::CMsgWnd(QWidget* parent) : ui::Window(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("msgwnd"));
    setAttribute(Qt::WA_TranslucentBackground);
}

CMsgWnd::~CMsgWnd() = default;

QString CMsgWnd::GetSkinFile() {
    QString file = ui::ResourceFile(QStringLiteral("XML_MSG"));
    if (file.isEmpty()) {
        file = ui::ResourceFile(QStringLiteral("XML_MESSAGE"));
    }
    return file.isEmpty() ? QStringLiteral("XML/MessageWnd.xml") : file;
}

bool CMsgWnd::Build() {
    ui::LoaderConfig config;
    config.tables.push_back(appearance::AppearanceControlTable());
    return Create(GetSkinFile(), config);
}

void CMsgWnd::InitWindow() {
    closeButton_ = FindControl(QStringLiteral("closebtn"));
    // The frameless box still names itself to the window list and screen readers.
    if (auto* title = FindControl<QLabel>(QStringLiteral("MessageTitle"))) {
        setWindowTitle(title->text());
    }
}

void CMsgWnd::SetTitle(const QString& title) {
    if (title.isEmpty()) {
        return;
    }
    if (auto* label = FindControl<QLabel>(QStringLiteral("MessageTitle"))) {
        label->setProperty(ui::kTextIdProperty, QVariant());
        label->setText(title);
    }
}

void CMsgWnd::SetText(const QString& text, bool isLanguageId) {
    if (text.isEmpty()) {
        return;
    }
    auto* label = FindControl<QLabel>(QStringLiteral("MessageText"));
    if (label == nullptr) {
        return;
    }
    if (isLanguageId) {
        ui::SetTextId(label, text);
    } else {
        label->setProperty(ui::kTextIdProperty, QVariant());
        label->setText(text);
    }
}

void CMsgWnd::SetButtons(int buttons) {
    if (QWidget* cancel = FindControl(QStringLiteral("cancel_btn"))) {
        cancel->setVisible(buttons != 0);
    }
    if (QWidget* confirm = FindControl(QStringLiteral("confirm_btn"))) {
        confirm->setVisible(true);
        confirm->setFocus(Qt::OtherFocusReason);
    }
}

void CMsgWnd::SetDpi(int dpi) {
    if (dpi == dpi_) {
        return;
    }
    if (std::find(kAcceptedDpi.begin(), kAcceptedDpi.end(), dpi) == kAcceptedDpi.end()) {
        trace::Line("MSG_WND DPI SET ERROR");
        dpi = 96;
    }
    // The program's scaling is applied to every window as Qt's global factor; the value is kept
    // for the callers that ask for it.
    dpi_ = dpi;
}

int CMsgWnd::ShowModal() {
    adjustSize();
    QPointer<CMsgWnd> self(this);
    if (!ShownHookSlot()) {
        return ExecModal();
    }
    return ExecModal([self] {
        if (self && ShownHookSlot()) {
            ShownHookSlot()(self.data());
        }
    });
}

void CMsgWnd::Notify(const ui::Notification& notification) {
    if (notification.type != QLatin1String(ui::notify::kClick)) {
        return;
    }
    const QString& name = notification.senderName;
    auto is = [&name](const char* wanted) {
        return name.compare(QLatin1String(wanted), Qt::CaseInsensitive) == 0;
    };
    if (is("closebtn") || is("cancel_btn")) {
        EndModal(0);
    } else if (is("confirm_btn")) {
        EndModal(1);
    } else if (is("minbtn")) {
        showMinimized();
    } else if (is("maxbtn")) {
        showMaximized();
    } else if (is("restorebtn")) {
        showNormal();
    }
}

void CMsgWnd::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        EndModal(0);
        return;
    }
    ui::Window::keyPressEvent(event);
}

void CMsgWnd::closeEvent(QCloseEvent* event) {
    // Closed by the window manager: a cancel, never a silent confirm.
    if (IsModalRunning()) {
        EndModal(0);
    }
    event->accept();
}

void CMsgWnd::SetShownHookForTesting(ShownHook hook) {
    ShownHookSlot() = std::move(hook);
}

int ShowMessage(QWidget* parent, const QString& title, const QString& text, int dpi,
                bool textIsLanguageId, int buttons) {
    // On the heap: the parent owns its children and may go away while the box is open.
    QPointer<CMsgWnd> window = new CMsgWnd(parent);
    if (!window->Build()) {
        trace::Line("MSG_WND LAYOUT ERROR");
        delete window.data();
        return 0;
    }
    trace::Line("MSG_WND " + text.toStdString());
    window->SetTitle(title);
    window->SetText(text, textIsLanguageId);
    window->SetDpi(dpi);
    window->SetButtons(buttons);
    const int result = window->ShowModal();
    delete window.data();
    return result;
}

void MsgWndDialogs::HoldMessages() {
    holding_ = true;
}

void MsgWndDialogs::Release(QWidget* owner) {
    holding_ = false;
    std::vector<HeldMessage> held;
    held.swap(held_);
    QPointer<QWidget> guard(owner);
    for (const HeldMessage& message : held) {
        if (!guard || !guard->isVisible()) {
            break;
        }
        ShowMessage(message.owner ? message.owner.data() : owner, message.textId, 1, message.args);
    }
}

int MsgWndDialogs::ShowMessage(QWidget* owner, const QString& textId, int buttonCount,
                               const QStringList& args) {
    if (holding_) {
        if (buttonCount > 1) {
            trace::Line("MSG_WND question before the window is shown, cancelled: " +
                        textId.toStdString());
            return 0;
        }
        const bool known = std::any_of(held_.begin(), held_.end(), [&](const HeldMessage& m) {
            return m.textId == textId && m.args == args;
        });
        if (!known) {
            trace::Line("MSG_WND held until the window is shown: " + textId.toStdString());
            held_.push_back({owner, textId, args});
        }
        return 1;
    }
    const int dpi = static_cast<int>(std::lround(96.0 * ui::CurrentScale()));
    if (args.isEmpty()) {
        return ::ShowMessage(owner, QString(), textId, dpi, true, buttonCount > 1 ? 1 : 0);
    }
    return ::ShowMessage(owner, QString(), ui::FormatText(textId, args), dpi, false,
                         buttonCount > 1 ? 1 : 0);
}

QString MsgWndDialogs::GetOpenFileName(QWidget* owner, const QString& title, const QString& folder,
                                       const QString& filter) {
    return QFileDialog::getOpenFileName(owner, title, folder, filter);
}

QString MsgWndDialogs::GetSaveFileName(QWidget* owner, const QString& title, const QString& path,
                                       const QString& filter) {
    return QFileDialog::getSaveFileName(owner, title, path, filter);
}
