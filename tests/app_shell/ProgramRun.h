#pragma once

// The whole program (ZORVATH_PROGRAM) run by a test with its own XDG folders, offscreen and
// without a session bus.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "profiles/DataFolders.h"
#include "tests/support/TestDirs.h"

namespace testsupport {

class ProgramRun {
public:
    explicit ProgramRun(const char* hint) : root_(testsupport::MakeTempDir(hint)) {
        for (const char* name :
             {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
            std::filesystem::create_directories(root_ + "/" + name);
            std::filesystem::permissions(root_ + "/" + name, std::filesystem::perms::owner_all);
        }
        std::filesystem::create_directories(MouseFolder());
    }
    ~ProgramRun() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    std::string DataHome() const { return root_ + "/XDG_DATA_HOME"; }
    std::string DataRoot() const {
        return DataHome() + "/" + std::string(datafolders::kProductName);
    }
    std::string MouseFolder() const {
        return DataRoot() + "/" + std::string(datafolders::kMouseFolderName);
    }

    // Starts the program and waits for its end with a generous limit; false when it did not
    // end by itself (it is killed then). Its standard error is kept.
    bool RunToEnd(const QStringList& arguments) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
            env.insert(QString::fromLatin1(name),
                       QString::fromStdString(root_ + "/" + std::string(name)));
        }
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        env.remove(QStringLiteral("ZORVATH_SIM_FAULTS"));
        env.remove(QStringLiteral("ZORVATH_TRACE"));
        for (const auto& [name, value] : extraEnvironment_) {
            env.insert(name, value);
        }
        process_.setProcessEnvironment(env);
        process_.start(QStringLiteral(ZORVATH_PROGRAM), arguments);
        if (!process_.waitForStarted(10000)) {
            return false;
        }
        const bool ended = process_.waitForFinished(90000);
        if (!ended) {
            process_.kill();
            process_.waitForFinished(5000);
        }
        log_ = process_.readAllStandardError().toStdString();
        return ended;
    }
    void SetEnvironment(const QString& name, const QString& value) {
        extraEnvironment_.emplace_back(name, value);
    }
    int ExitCode() const { return process_.exitCode(); }
    const std::string& Log() const { return log_; }

private:
    std::string root_;
    std::vector<std::pair<QString, QString>> extraEnvironment_;
    QProcess process_;
    std::string log_;
};

}  // namespace testsupport
