#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "tests/support/ui/FakeDialogs.h"
#include "ui/Window.h"

class QAbstractSlider;

namespace testsupport {

// The one QApplication of a widget test process (made on first use, themed with the skin).
QApplication& UiApplication();

// The skin folder of the source tree, so tests see the skin as committed.
QString SourceSkinFolder();

// A window that records every notification it receives, in order.
class RecordingWindow : public ui::Window {
public:
    explicit RecordingWindow(QWidget* parent = nullptr) : ui::Window(parent) {}

    std::vector<ui::Notification> received;
    // Runs after recording, for tests that act inside Notify.
    std::function<void(const ui::Notification&)> onNotify;

    void Notify(const ui::Notification& notification) override {
        received.push_back(notification);
        if (onNotify) {
            onNotify(notification);
        }
    }

    // The notifications of one type, or of one type from one sender name.
    std::vector<ui::Notification> Of(const QString& type) const;
    std::vector<ui::Notification> Of(const QString& type, const QString& senderName) const;
    // "type:sender" of each notification except timers, for whole-sequence comparisons.
    QStringList Trail() const;
    void Clear() { received.clear(); }
};

// Base fixture of widget tests: fresh XDG folders, the source skin and the English texts, fake
// dialogs, and windows built from layouts that are shown (offscreen) and deleted afterwards.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds a recording window from a layout (resource key or skin-relative file), shows it
    // and waits until it is exposed. Fails the test (returns null) when the layout fails.
    RecordingWindow* OpenWindow(const QString& layoutFile, const ui::LoaderConfig& config = {});

    FakeDialogs& Dialogs() { return **dialogs_; }

    std::string xdgRoot_;

private:
    std::unique_ptr<ScopedFakeDialogs> dialogs_;
    std::vector<std::unique_ptr<RecordingWindow>> windows_;
};

// User actions the tests share.
// Drags the slider's handle so that it ends at about value; press, moves, release.
void DragSlider(QAbstractSlider* slider, int value);
// Pumps the event loop for ms milliseconds (timers run), without busy waiting.
void RunEventLoopFor(int milliseconds);

}  // namespace testsupport
