#include "platform/ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

UrlOpener& Opener()
{
    static UrlOpener opener;
    return opener;
}

} // namespace

void SetUrlOpener(UrlOpener opener)
{
    Opener() = std::move(opener);
}

void ShellExecuteOpen(const QString& url)
{
    if (Opener()) {
        Opener()(url);
        return;
    }
    // The desktop starts the browser detached; whether it managed to is not our concern.
    QDesktopServices::openUrl(QUrl(url));
}
