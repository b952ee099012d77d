// Writes screenshots of the message box and the about window, as the program shows them, at
// 100 % or 150 %: message_box_<scale>.png, message_box_notice_<scale>.png, about_<scale>.png.
#include <cstdio>
#include <memory>
#include <string>

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTimer>

#include <array>
#include <cstdint>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/AboutWnd.h"
#include "app/MsgWnd.h"
#include "appearance/AppearanceControls.h"
#include "appearance/CircleProgressUI.h"
#include "appearance/ComboEditContainerElementUI.h"
#include "appearance/DeviceOptionUI.h"
#include "appearance/MpDevicePowerUI.h"
#include "ui/LanguageTexts.h"
#include "ui/LayoutLoader.h"
#include "ui/ListContainer.h"
#include "ui/OptionButton.h"
#include "ui/Scaling.h"
#include "ui/SkinResources.h"
#include "ui/Theme.h"

namespace {

bool SaveGrab(QWidget* window, const QString& path) {
    window->repaint();
    const bool ok = window->grab().save(path);
    std::fprintf(stderr, "%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// A card with the device list entry, its battery indicator, a ring progress and macro rows.
QWidget* BuildControlsCard() {
    auto* card = new QFrame;
    card->setObjectName(QStringLiteral("controls_card"));
    card->setStyleSheet(
        QStringLiteral("#controls_card { background-color: #101317; }"
                       "#controls_panel { background-color: #181C22; border: 1px solid #262C35;"
                       " border-radius: 6px; }"));
    auto* outer = new QHBoxLayout(card);
    outer->setContentsMargins(24, 24, 24, 24);
    outer->setSpacing(24);
    ui::LoaderConfig config;
    config.tables.push_back(appearance::AppearanceControlTable());

    auto* devices = new QFrame;
    devices->setObjectName(QStringLiteral("controls_panel"));
    auto* column = new QVBoxLayout(devices);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(8);
    auto* entry = qobject_cast<appearance::CDeviceOptionUI*>(
        ui::BuildLayout(QStringLiteral("XML/CustomControlXML/DeviceOption.xml"), nullptr, config));
    auto* power = qobject_cast<appearance::CMpDevicePowerUI*>(
        ui::BuildLayout(QStringLiteral("XML/CustomControlXML/MpDevicePower.xml"), nullptr, config));
    if (entry != nullptr) {
        entry->SetDeviceKind(2);
        if (entry->SelectOption() != nullptr) {
            entry->SelectOption()->SetSelected(true);
        }
        column->addWidget(entry, 0, Qt::AlignHCenter);
    }
    if (power != nullptr) {
        power->SetDeviceKind(2);
        std::array<std::uint8_t, 64> record{};
        record[0] = 30;
        record[1] = 1;
        power->ApplyStatusRecord(record.data(), record.size());
        column->addWidget(power);
    }
    column->addStretch(1);
    outer->addWidget(devices);

    auto* ringPanel = new QFrame;
    ringPanel->setObjectName(QStringLiteral("controls_panel"));
    auto* ringBox = new QVBoxLayout(ringPanel);
    ringBox->setContentsMargins(16, 16, 16, 16);
    auto* ring = new appearance::CCircleProgressUI;
    ring->setFixedSize(96, 96);
    ring->SetInnerColour(QColor(0x18, 0x1C, 0x22));
    ring->setValue(65);
    ringBox->addWidget(ring, 0, Qt::AlignCenter);
    outer->addWidget(ringPanel);

    auto* macroPanel = new QFrame;
    macroPanel->setObjectName(QStringLiteral("controls_panel"));
    auto* macroBox = new QVBoxLayout(macroPanel);
    macroBox->setContentsMargins(16, 16, 16, 16);
    auto* list = new ui::ListContainer;
    list->setMinimumSize(320, 120);
    const char* actions[][3] = {
        {"Key A", "down", "50"}, {"Key A", "up", "30"}, {"Left button", "down", "10"}};
    for (const auto& action : actions) {
        auto* row = new appearance::CComboEditContainerElementUI;
        if (auto* t = qobject_cast<QLabel*>(row->Text1())) {
            t->setText(QLatin1String(action[0]));
        }
        if (auto* t = qobject_cast<QLabel*>(row->Text2())) {
            t->setText(QLatin1String(action[1]));
        }
        if (row->DelayEdit() != nullptr) {
            row->DelayEdit()->setText(QLatin1String(action[2]));
        }
        list->Add(row);
    }
    list->SelectItem(0);
    macroBox->addWidget(list);
    outer->addWidget(macroPanel, 1);
    card->resize(760, 220);
    return card;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::string(argv[2]) != "100" && std::string(argv[2]) != "150")) {
        std::fprintf(stderr, "usage: %s <folder> <100|150>\n", argv[0]);
        return 2;
    }
    const QString scale = QString::fromLatin1(argv[2]);
    qputenv("ZORVATH_SCALE", argv[2]);
    ui::ChooseScaleBeforeApplication(argc, argv);
    QApplication app(argc, argv);
    ui::SetSkinFolderForTesting(QStringLiteral(ZORVATH_SOURCE_DIR "/skin"));
    ui::ApplyTheme(app);
    ui::LoadLanguageFile(QStringLiteral("lan_en.xml"));
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = true;

    // Grab once the window has been laid out and painted, then answer it.
    CMsgWnd::SetShownHookForTesting([&](CMsgWnd* box) {
        QTimer::singleShot(200, box, [&, box] {
            const QString name = box->FindControl(QStringLiteral("cancel_btn"))->isVisible()
                                     ? QStringLiteral("message_box_")
                                     : QStringLiteral("message_box_notice_");
            ok = SaveGrab(box, out.filePath(name + scale + QStringLiteral(".png"))) && ok;
            box->EndModal(1);
        });
    });
    ShowMessage(nullptr, QString(),
                QStringLiteral("Reset this profile to its factory defaults? Your DPI stages, "
                               "button assignments and lighting will be replaced."),
                96, false, 1);
    ShowMessage(nullptr, QString(),
                QStringLiteral("The profile was exported to your Documents folder."), 96, false, 0);
    CMsgWnd::SetShownHookForTesting(nullptr);

    QPointer<QWidget> about;
    QTimer::singleShot(300, &app, [&] {
        if (about) {
            ok = SaveGrab(about, out.filePath(QStringLiteral("about_") + scale +
                                              QStringLiteral(".png"))) &&
                 ok;
            about->close();
        }
    });
    ShowAboutWindow(nullptr, &about);

    std::unique_ptr<QWidget> card(BuildControlsCard());
    card->show();
    QTimer::singleShot(200, &app, [&] {
        ok = SaveGrab(card.get(), out.filePath(QStringLiteral("custom_controls_") + scale +
                                               QStringLiteral(".png"))) &&
             ok;
        app.quit();
    });
    app.exec();
    return ok ? 0 : 1;
}
