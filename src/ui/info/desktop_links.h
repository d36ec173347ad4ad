// Web pages and e-mail handed to the desktop's browser or mail program. One function, so tests
// can take the addresses instead of starting a browser.
#pragma once

#include <QUrl>

#include <functional>

namespace korv::ui {

using LinkOpener = std::function<void(const QUrl&)>;

// Opens the address with the current opener (QDesktopServices unless replaced). A failed
// hand-over is not reported: the person sees nothing happen and can use the address shown.
void OpenLink(const QUrl& url);
// Replaces the opener; an empty one brings QDesktopServices back.
void SetLinkOpener(LinkOpener opener);

// "mailto:ADDRESS?subject=SUBJECT", the subject encoded.
QUrl MailLink(const QString& address, const QString& subject);

} // namespace korv::ui
