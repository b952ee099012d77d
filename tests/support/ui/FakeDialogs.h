#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "ui/Dialogs.h"

namespace testsupport {

// Answers the program's dialogs from queues instead of a person, and records what was asked.
// An empty queue answers 1 (confirmed) for messages and empty (cancelled) for file dialogs.
class FakeDialogs : public ui::Dialogs {
public:
    struct Asked {
        QString kind;  // "message", "open", "save"
        QString text;  // text id, or title for file dialogs
        QStringList args;
        int buttonCount = 0;
    };

    std::deque<int> messageAnswers;
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::vector<Asked> asked;

    int ShowMessage(QWidget* owner, const QString& textId, int buttonCount,
                    const QStringList& args) override;
    QString GetOpenFileName(QWidget* owner, const QString& title, const QString& folder,
                            const QString& filter) override;
    QString GetSaveFileName(QWidget* owner, const QString& title, const QString& path,
                            const QString& filter) override;
};

// Installs a FakeDialogs for its lifetime.
class ScopedFakeDialogs {
public:
    ScopedFakeDialogs() : previous_(ui::InstallDialogs(&fake_)) {}
    ~ScopedFakeDialogs() { ui::InstallDialogs(previous_); }
    ScopedFakeDialogs(const ScopedFakeDialogs&) = delete;
    ScopedFakeDialogs& operator=(const ScopedFakeDialogs&) = delete;
    FakeDialogs& operator*() { return fake_; }
    FakeDialogs* operator->() { return &fake_; }

private:
    FakeDialogs fake_;
    ui::Dialogs* previous_;
};

}  // namespace testsupport
