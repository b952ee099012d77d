// Building windows from layouts happens at start for every device page; notifications are sent
// for every slider move while dragging. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>

#include "ui/LanguageTexts.h"
#include "ui/LayoutLoader.h"
#include "ui/Notification.h"
#include "ui/SkinResources.h"
#include "ui/Window.h"

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "bench_ui";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        auto* created = new QApplication(argc, argv);
        ui::SetSkinFolderForTesting(QStringLiteral(ZORVATH_SOURCE_DIR "/skin"));
        ui::LoadLanguageFile(QStringLiteral("lan_en.xml"));
        return created;
    }();
    return *app;
}

class CountingWindow : public ui::Window {
public:
    void Notify(const ui::Notification& n) override { benchmark::DoNotOptimize(n.wParam); }
};

void BM_BuildContractPage(benchmark::State& state) {
    App();
    for (auto _ : state) {
        QWidget holder;
        QWidget* root = ui::BuildLayout(QStringLiteral("XML_CONTRACT"), &holder);
        benchmark::DoNotOptimize(root);
    }
}
BENCHMARK(BM_BuildContractPage)->Unit(benchmark::kMillisecond);

void BM_SendNotify(benchmark::State& state) {
    App();
    CountingWindow window;
    if (!window.Create(QStringLiteral("XML_CONTRACT"))) {
        state.SkipWithError("contract page did not build");
        return;
    }
    auto* button = window.FindControl<QPushButton>(QStringLiteral("contract_click_btn"));
    const QString type = QStringLiteral("movevaluechanged");
    for (auto _ : state) {
        ui::SendNotify(button, type, 1);
    }
}
BENCHMARK(BM_SendNotify);

}  // namespace
