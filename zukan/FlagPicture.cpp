#include "zukan/FlagPicture.h"

#include "platform/Resources.h"
#include "quiz/FlagCatalog.h"

QPixmap FlagPicture(std::string_view code, QSize box, qreal dpr)
{
    const std::optional<int> nId = LookupFlagBitmap(code);
    if (!nId)
        return {};
    const QImage image = LoadFlagBitmap(*nId);
    if (image.isNull())
        return {};
    const QSize fitted = image.size().scaled(box, Qt::KeepAspectRatio);
    QPixmap pixmap = QPixmap::fromImage(
        image.scaled(fitted * dpr, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}
