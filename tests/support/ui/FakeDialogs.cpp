#include "tests/support/ui/FakeDialogs.h"

namespace testsupport {

int FakeDialogs::ShowMessage(QWidget*, const QString& textId, int buttonCount,
                             const QStringList& args) {
    asked.push_back({QStringLiteral("message"), textId, args, buttonCount});
    if (messageAnswers.empty()) {
        return 1;
    }
    const int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

QString FakeDialogs::GetOpenFileName(QWidget*, const QString& title, const QString& folder,
                                     const QString&) {
    asked.push_back({QStringLiteral("open"), title, {folder}, 0});
    if (openAnswers.empty()) {
        return {};
    }
    QString answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

QString FakeDialogs::GetSaveFileName(QWidget*, const QString& title, const QString& path,
                                     const QString&) {
    asked.push_back({QStringLiteral("save"), title, {path}, 0});
    if (saveAnswers.empty()) {
        return {};
    }
    QString answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

}  // namespace testsupport
