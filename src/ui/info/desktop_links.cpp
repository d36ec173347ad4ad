#include "ui/info/desktop_links.h"

#include <QDesktopServices>
#include <QUrlQuery>

namespace korv::ui {

namespace {

LinkOpener& Opener() {
    static LinkOpener opener;
    return opener;
}

} // namespace

void OpenLink(const QUrl& url) {
    if (Opener())
        Opener()(url);
    else
        QDesktopServices::openUrl(url);
}

void SetLinkOpener(LinkOpener opener) {
    Opener() = std::move(opener);
}

QUrl MailLink(const QString& address, const QString& subject) {
    QUrl url("mailto:" + address);
    QUrlQuery query;
    query.addQueryItem("subject", subject);
    url.setQuery(query);
    return url;
}

} // namespace korv::ui
