// Writes a PNG of the contract page, the skin's showcase of every control kind, at the scale
// chosen the way the program chooses it (ZORVATH_SCALE=100 or 150 forces it):
//   ZORVATH_SCALE=150 QT_QPA_PLATFORM=offscreen zorvath_ui_contract_shot out.png
// With --menu KEY the pop-up menu of that resource key is drawn beside the page instead.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSlider>
#include <cstdio>

#include "ui/ColorPalette.h"
#include "ui/LanguageTexts.h"
#include "ui/ListContainer.h"
#include "ui/OptionButton.h"
#include "ui/PopupMenu.h"
#include "ui/Scaling.h"
#include "ui/SkinResources.h"
#include "ui/Theme.h"
#include "ui/Window.h"

int main(int argc, char** argv) {
    QString menuKey;
    if (argc >= 4 && QLatin1String(argv[1]) == QLatin1String("--menu")) {
        menuKey = QString::fromLocal8Bit(argv[2]);
        argv += 2;
        argc -= 2;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s [--menu KEY] <out.png> [skin folder]\n", argv[0]);
        return 2;
    }
    const double scale = ui::ChooseScaleBeforeApplication(argc, argv);
    QApplication app(argc, argv);
    ui::SetSkinFolderForTesting(argc > 2 ? QString::fromLocal8Bit(argv[2])
                                         : QStringLiteral(ZORVATH_SOURCE_DIR "/skin"));
    ui::ApplyTheme(app);
    ui::LoadLanguageFile(QStringLiteral("lan_en.xml"));

    ui::Window window;
    if (!window.Create(QStringLiteral("XML_CONTRACT"))) {
        std::fprintf(stderr, "%s\n", qPrintable(window.LayoutError()));
        return 1;
    }
    // A representative state: a chosen rate, a checked stage, a few list rows, one selected.
    window.FindControl<ui::OptionButton>(QStringLiteral("contract_group_option_2"))
        ->SetSelected(true);
    window.FindControl<ui::OptionButton>(QStringLiteral("contract_tab_option_0"))
        ->SetSelected(true);
    window.FindControl<ui::OptionButton>(QStringLiteral("contract_swatch_option_4"))
        ->SetSelected(true);
    window.FindControl<QCheckBox>(QStringLiteral("contract_check"))->setChecked(true);
    window.FindControl<ui::ColorPalette>(QStringLiteral("contract_palette"))
        ->SetColor(QColor(0, 153, 255));
    auto* list = window.FindControl<ui::ListContainer>(QStringLiteral("contract_list"));
    const char* names[] = {"Left button", "Wait", "Right button"};
    const char* details[] = {"Press", "50 ms", "Release"};
    for (int i = 0; i < 3; ++i) {
        ui::ListElement* row = list->AddFromLayout(QStringLiteral("XML_CONTRACT_LIST_ITEM"));
        if (row != nullptr) {
            ui::SetPlainText(row->findChild<QLabel*>(QStringLiteral("text1")),
                             QString::fromLatin1(names[i]));
            ui::SetPlainText(row->findChild<QLabel*>(QStringLiteral("text2")),
                             QString::fromLatin1(details[i]));
        }
    }
    list->SelectItem(1);
    window.show();
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
    }
    QPixmap shot = window.grab();
    if (!menuKey.isEmpty()) {
        QMenu* menu = ui::BuildPopupMenu(menuKey, &window);
        if (menu == nullptr) {
            std::fprintf(stderr, "no menu %s\n", qPrintable(menuKey));
            return 1;
        }
        menu->popup(window.mapToGlobal(QPoint(40, 40)));
        for (int i = 0; i < 10; ++i) {
            QApplication::processEvents();
        }
        if (!menu->actions().isEmpty() && menu->actions().first()->menu() != nullptr) {
            menu->setActiveAction(menu->actions().first());
        }
        QPainter painter(&shot);
        painter.drawPixmap(QPoint(40, 40), menu->grab());
    }
    if (!shot.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %dx%d pixels at %.0f %%\n", argv[1], shot.width(), shot.height(), scale * 100);
    return 0;
}
