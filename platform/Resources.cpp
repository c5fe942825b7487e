#include "platform/Resources.h"

#include <QFile>
#include <QString>

// The compiled-in resources live in a static library; naming their
// initialiser here keeps the linker from dropping them. Global scope on
// purpose: Q_INIT_RESOURCE declares the initialiser where it stands.
static void EnsureResources()
{
    static const bool once = [] {
        Q_INIT_RESOURCE(resources);
        Q_INIT_RESOURCE(flagpictures);
        return true;
    }();
    (void)once;
}

QImage LoadFlagBitmap(int nId)
{
    EnsureResources();
    QImage image;
    image.load(QStringLiteral(":/flags/%1.bmp").arg(nId), "BMP");
    return image;
}

QPixmap LoadFlagPicture(std::string_view code, QSize box, qreal dDevicePixelRatio)
{
    EnsureResources();
    if (code.size() != 3 || box.isEmpty())
        return {};
    QImage image;
    if (!image.load(QStringLiteral(":/flagpictures/%1.png")
                        .arg(QLatin1String(code.data(), static_cast<qsizetype>(code.size()))),
                    "PNG"))
        return {};
    const QSize size = image.size().scaled(box * dDevicePixelRatio, Qt::KeepAspectRatio);
    // Only ever smaller: a box wider than the picture shows it at its own size.
    if (size.width() < image.width()) {
        // Scaled as 32-bit colour: a palette picture would be converted with its alpha otherwise.
        image = image
                    .convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32)
                    .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(dDevicePixelRatio);
    return pixmap;
}

QByteArray LoadWave(int nId)
{
    EnsureResources();
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(nId));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QIcon AppIcon()
{
    EnsureResources();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icon/128-%1.png").arg(size), QSize(size, size));
    return icon;
}
