#include "tests/support/ui/UiTestHarness.h"

#include <QAbstractSlider>
#include <QEventLoop>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>

#include "tests/support/TestDirs.h"
#include "ui/LanguageTexts.h"
#include "ui/SkinResources.h"
#include "ui/Theme.h"

namespace testsupport {

QString SourceSkinFolder() {
    return QStringLiteral(ZORVATH_SOURCE_DIR "/skin");
}

QApplication& UiApplication() {
    static int argc = 1;
    static char name[] = "zorvath-ui-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* created = new QApplication(argc, argv);
        ui::SetSkinFolderForTesting(SourceSkinFolder());
        ui::ApplyTheme(*created);
        return created;
    }();
    return *app;
}

std::vector<ui::Notification> RecordingWindow::Of(const QString& type) const {
    std::vector<ui::Notification> out;
    for (const auto& n : received) {
        if (n.type == type) {
            out.push_back(n);
        }
    }
    return out;
}

std::vector<ui::Notification> RecordingWindow::Of(const QString& type,
                                                  const QString& senderName) const {
    std::vector<ui::Notification> out;
    for (const auto& n : received) {
        if (n.type == type && n.senderName == senderName) {
            out.push_back(n);
        }
    }
    return out;
}

QStringList RecordingWindow::Trail() const {
    QStringList out;
    for (const auto& n : received) {
        if (n.type != QLatin1String("timer")) {
            out << n.type + QLatin1Char(':') + n.senderName;
        }
    }
    return out;
}

void UiTest::SetUp() {
    xdgRoot_ = UseFreshXdgFolders("ui");
    UiApplication();
    ui::SetSkinFolderForTesting(SourceSkinFolder());
    ASSERT_TRUE(ui::LoadLanguageFile(QStringLiteral("lan_en.xml")));
    dialogs_ = std::make_unique<ScopedFakeDialogs>();
}

void UiTest::TearDown() {
    windows_.clear();
    dialogs_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

RecordingWindow* UiTest::OpenWindow(const QString& layoutFile, const ui::LoaderConfig& config) {
    auto window = std::make_unique<RecordingWindow>();
    if (!window->Create(layoutFile, config)) {
        ADD_FAILURE() << "layout " << layoutFile.toStdString() << ": "
                      << window->LayoutError().toStdString();
        return nullptr;
    }
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        ADD_FAILURE() << "window not exposed";
    }
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window.get(), 500);
    windows_.push_back(std::move(window));
    return windows_.back().get();
}

void DragSlider(QAbstractSlider* slider, int value) {
    auto* qslider = qobject_cast<QSlider*>(slider);
    ASSERT_NE(qslider, nullptr);
    QStyleOptionSlider option;
    option.initFrom(qslider);
    option.orientation = qslider->orientation();
    option.minimum = qslider->minimum();
    option.maximum = qslider->maximum();
    option.sliderPosition = qslider->sliderPosition();
    option.sliderValue = qslider->value();
    option.upsideDown = qslider->invertedAppearance();
    const QRect handle = qslider->style()->subControlRect(QStyle::CC_Slider, &option,
                                                          QStyle::SC_SliderHandle, qslider);
    const QRect groove = qslider->style()->subControlRect(QStyle::CC_Slider, &option,
                                                          QStyle::SC_SliderGroove, qslider);
    const int span = groove.width() - handle.width();
    const int offset =
        QStyle::sliderPositionFromValue(qslider->minimum(), qslider->maximum(), value, span);
    const QPoint start = handle.center();
    const QPoint end(groove.left() + offset + handle.width() / 2, start.y());
    QTest::mousePress(qslider, Qt::LeftButton, Qt::NoModifier, start);
    constexpr int kSteps = 4;
    for (int i = 1; i <= kSteps; ++i) {
        const QPoint at = start + (end - start) * i / kSteps;
        QMouseEvent move(QEvent::MouseMove, at, qslider->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(qslider, &move);
    }
    QTest::mouseRelease(qslider, Qt::LeftButton, Qt::NoModifier, end);
}

void RunEventLoopFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace testsupport
