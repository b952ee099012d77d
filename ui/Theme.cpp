#include "ui/Theme.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

#include "ui/SkinResources.h"

namespace ui {

void ApplyTheme(QApplication& app) {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        app.setStyle(fusion);
    }
    QPalette palette;
    const QColor window(0x10, 0x13, 0x17), card(0x18, 0x1C, 0x22), raised(0x20, 0x26, 0x2E);
    const QColor text(0xFF, 0xFF, 0xFF), secondary(0xA7, 0xB0, 0xBC), disabled(0x66, 0x66, 0x66);
    const QColor accent(0x00, 0x99, 0xFF);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, raised);
    palette.setColor(QPalette::AlternateBase, card);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, raised);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::HighlightedText, text);
    palette.setColor(QPalette::ToolTipBase, card);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, secondary);
    palette.setColor(QPalette::Link, accent);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, disabled);
    }
    app.setPalette(palette);
    LoadSkinFonts();
    QFont font = app.font();
    font.setPixelSize(13);
    app.setFont(font);
    app.setStyleSheet(ThemeStyleSheet());
}

}  // namespace ui
