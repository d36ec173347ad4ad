// The offscreen platform's one screen at a chosen size, so that a picture or a window test sees
// the window as it fits a real screen of that size (the platform's own default is smaller than
// the window). Call before the QApplication exists; keep the returned file until it does.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QTemporaryFile>

#include <memory>

namespace korv::app {

inline std::unique_ptr<QTemporaryFile> UseOffscreenScreen(QSize size) {
    // In the working folder and named relatively: the platform's option list splits at colons,
    // so an absolute Windows path would not survive it.
    auto config = std::make_unique<QTemporaryFile>("korv-screen-XXXXXX.json");
    if (!config->open())
        return nullptr; // the platform's default screen, then
    config->write(QByteArray(R"({"screens": [{"name": "korv", "x": 0, "y": 0, "width": )") +
                  QByteArray::number(size.width()) + R"(, "height": )" +
                  QByteArray::number(size.height()) + "}]}");
    config->flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config->fileName().toLocal8Bit());
    return config;
}

// "1280x800" -> 1280 x 800; anything else -> the fallback.
inline QSize ParseScreenSize(const QByteArray& text, QSize fallback) {
    const QList<QByteArray> parts = text.split('x');
    bool okW = false, okH = false;
    const QSize size =
        parts.size() == 2 ? QSize(parts[0].toInt(&okW), parts[1].toInt(&okH)) : QSize();
    return okW && okH && size.width() > 0 && size.height() > 0 ? size : fallback;
}

} // namespace korv::app
