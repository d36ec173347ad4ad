#include "ui/app_style.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

namespace korv::ui {

void ApplyAppStyle(QApplication& app) {
    // Fusion draws the same on every platform, so the window looks as installers know it
    // whatever desktop they run.
    if (auto* fusion = QStyleFactory::create("Fusion"))
        app.setStyle(fusion);
    QPalette p;
    const QColor window(0xDD, 0xE4, 0xEC);
    const QColor button(0xD2, 0xDB, 0xE6);
    const QColor text(0x1E, 0x2A, 0x38);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(0xEE, 0xF2, 0xF6));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(0x5B, 0x7F, 0xA6));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Light, QColor(0xF4, 0xF7, 0xFA));
    p.setColor(QPalette::Midlight, QColor(0xE6, 0xEC, 0xF2));
    p.setColor(QPalette::Mid, QColor(0xA9, 0xB6, 0xC4));
    p.setColor(QPalette::Dark, QColor(0x8C, 0x9B, 0xAC));
    p.setColor(QPalette::Shadow, QColor(0x4A, 0x55, 0x62));
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    p.setColor(QPalette::ToolTipText, Qt::black);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    app.setPalette(p);
    // The design's font, in pixels like its geometry, so a larger desktop font (a higher
    // font DPI) cannot push captions out of their fixed-size controls.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(kDesignFontPixels);
    app.setFont(font);
    app.setStyleSheet(
        "QGroupBox { font-weight: bold; border: 1px solid #8C9BAC; border-radius: 3px;"
        " margin-top: 8px; padding-top: 4px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }"
        "QPushButton { min-height: 20px; padding: 2px 8px; border: 1px solid #8C9BAC;"
        " border-radius: 3px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        " stop:0 #F0F4F8, stop:1 #CBD5E1); }"
        "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        " stop:0 #FFFFFF, stop:1 #D8E1EB); }"
        "QPushButton:pressed { background: #B9C6D4; }"
        "QPushButton:disabled { color: #808080; background: #DDE3EA; }"
        "QMenuBar { background: #D2DBE6; }"
        "QTabWidget::pane { border: 1px solid #8C9BAC; }");
    app.setProperty("korvStyle", kStyleName);
}

} // namespace korv::ui
