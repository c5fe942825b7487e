#include "platform/Resources.h"
#include "platform/FlagOutline.h"
#include "quiz/FlagCatalog.h"

#include <QFile>
#include <QImage>
#include <QPalette>
#include <QSet>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cstdint>

namespace {

quint16 U16(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 U32(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}
qint32 I32(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<qint32>(b.constData() + at);
}

QByteArray RawFlag(int nId)
{
    QFile file(QStringLiteral(":/flags/%1.bmp").arg(nId));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(FlagResources, EveryRowLoadsAtItsSizeAsAn8BitBottomUpBitmap)
{
    for (const FlagEntry& e : FlagCatalog()) {
        SCOPED_TRACE(std::string(e.strCode) + " " + std::to_string(e.nBitmapId));

        const QImage image = LoadFlagBitmap(e.nBitmapId);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(e.nWidth, e.nHeight));
        EXPECT_EQ(image.format(), QImage::Format_Indexed8);
        QSet<int> used;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                used.insert(image.pixelIndex(x, y));
        EXPECT_GE(used.size(), 2) << "a blank picture";

        // The file itself: BITMAPFILEHEADER + BITMAPINFOHEADER + 256 RGBQUADs + rows.
        const QByteArray bmp = RawFlag(e.nBitmapId);
        ASSERT_GE(bmp.size(), 14 + 40 + 1024);
        const qsizetype stride = (e.nWidth + 3) / 4 * 4;
        EXPECT_EQ(bmp.left(2), QByteArray("BM"));
        EXPECT_EQ(U32(bmp, 2), quint32(bmp.size()));
        EXPECT_EQ(U32(bmp, 10), 14u + 40u + 1024u); // pixels right after a full table
        EXPECT_EQ(U32(bmp, 14), 40u);
        EXPECT_EQ(I32(bmp, 18), e.nWidth);
        EXPECT_EQ(I32(bmp, 22), e.nHeight); // positive: rows bottom-up
        EXPECT_EQ(U16(bmp, 26), 1u);
        EXPECT_EQ(U16(bmp, 28), 8u);
        EXPECT_EQ(U32(bmp, 30), 0u); // BI_RGB
        const quint32 colours = U32(bmp, 46);
        EXPECT_TRUE(colours == 0 || colours == 256) << colours;
        EXPECT_EQ(bmp.size(), 14 + 40 + 1024 + stride * e.nHeight);
    }
}

TEST(FlagResources, OnlyTheCataloguedNumbersHaveAPicture)
{
    QSet<int> catalogued;
    for (const FlagEntry& e : FlagCatalog())
        catalogued.insert(e.nBitmapId);

    for (int id = 140; id <= 450; ++id)
        EXPECT_EQ(LoadFlagBitmap(id).isNull(), !catalogued.contains(id)) << id;
    for (int id : {173, 190, 0, -1, 145, 128})
        EXPECT_TRUE(LoadFlagBitmap(id).isNull()) << id;
}

TEST(WaveResources, AreStereo22kHz8BitPcmOfTheExpectedLength)
{
    struct Case
    {
        int nId;
        double dSeconds;
    };
    for (const Case& c : {Case{145, 1.4}, Case{146, 1.1}}) {
        SCOPED_TRACE(c.nId);
        const QByteArray wav = LoadWave(c.nId);
        ASSERT_GE(wav.size(), 44);
        EXPECT_EQ(wav.left(4), QByteArray("RIFF"));
        EXPECT_EQ(U32(wav, 4), quint32(wav.size() - 8));
        EXPECT_EQ(wav.mid(8, 4), QByteArray("WAVE"));

        bool sawFormat = false;
        QByteArray data;
        for (qsizetype at = 12; at + 8 <= wav.size();) {
            const QByteArray id = wav.mid(at, 4);
            const quint32 size = U32(wav, at + 4);
            ASSERT_LE(at + 8 + qsizetype(size), wav.size()) << id.constData();
            if (id == "fmt ") {
                ASSERT_GE(size, 16u);
                EXPECT_EQ(U16(wav, at + 8), 1u);      // PCM
                EXPECT_EQ(U16(wav, at + 10), 2u);     // channels
                EXPECT_EQ(U32(wav, at + 12), 22050u); // samples per second
                EXPECT_EQ(U32(wav, at + 16), 44100u); // bytes per second
                EXPECT_EQ(U16(wav, at + 20), 2u);     // block align
                EXPECT_EQ(U16(wav, at + 22), 8u);     // bits per sample
                sawFormat = true;
            } else if (id == "data") {
                data = wav.mid(at + 8, size);
            }
            at += 8 + size + (size & 1);
        }
        ASSERT_TRUE(sawFormat);
        ASSERT_FALSE(data.isEmpty());
        EXPECT_NEAR(data.size() / 44100.0, c.dSeconds, 0.15);

        // Unsigned 8-bit silence is 0x80: starting and ending there means no click.
        for (qsizetype at : {qsizetype(0), qsizetype(1), data.size() - 2, data.size() - 1})
            EXPECT_NEAR(quint8(data[at]), 0x80, 2) << at;
    }
    EXPECT_TRUE(LoadWave(147).isEmpty());
    EXPECT_TRUE(LoadWave(199).isEmpty());
}

TEST(IconResource, CarriesEverySizeFrom16To256)
{
    const QIcon icon = AppIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(sizes.contains(QSize(size, size)));
        const QImage image = icon.pixmap(size, size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        // Not an empty square: the middle of the drawing is opaque.
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
    }
}

// The larger pictures: one for every catalogue code, in the flag's proportions, fitted into the
// box asked for and only ever scaled down, so a box of 128 px is sharp at twice the scale.
TEST(FlagPictures, EveryCodeFitsItsBoxAtEitherScaleWithoutBeingBlownUp)
{
    for (const FlagEntry& e : FlagCatalog()) {
        SCOPED_TRACE(std::string(e.strCode));
        QImage source;
        ASSERT_TRUE(source.load(
            QStringLiteral(":/flagpictures/%1.png").arg(QLatin1String(e.strCode.data(), 3))));
        EXPECT_EQ(std::max(source.width(), source.height()), 256);
        if (e.strCode != "npl" && e.strCode != "qat") // both fitted to their own outline
            EXPECT_NEAR(double(source.width()) / source.height(), double(e.nWidth) / e.nHeight,
                        0.02);
        for (qreal dRatio : {1.0, 2.0}) {
            const QPixmap picture = LoadFlagPicture(e.strCode, QSize(128, 128), dRatio);
            ASSERT_FALSE(picture.isNull());
            EXPECT_EQ(picture.devicePixelRatio(), dRatio);
            const QSize shown = picture.deviceIndependentSize().toSize();
            EXPECT_TRUE(shown.width() == 128 || shown.height() == 128) << shown.width();
            EXPECT_LE(picture.width(), source.width());
        }
    }
    EXPECT_TRUE(LoadFlagPicture("xyz", QSize(128, 128), 1).isNull());
    EXPECT_TRUE(LoadFlagPicture("../flags/158", QSize(128, 128), 1).isNull());
}

// A white flag keeps its edge: the outline covers exactly its outermost pixels, at 1x and 2x.
TEST(FlagOutlineTest, CoversTheEdgePixelsOnly)
{
    const QPalette palette;
    const QColor mid = palette.color(QPalette::Mid);
    for (const qreal dRatio : {1.0, 2.0}) {
        QImage white(QSize(30, 20) * dRatio, QImage::Format_RGB32);
        white.fill(Qt::white);
        QPixmap picture = QPixmap::fromImage(white);
        picture.setDevicePixelRatio(dRatio);
        const QImage out = OutlinedFlag(picture, palette).toImage();
        ASSERT_EQ(out.size(), white.size());
        const int nEdge = static_cast<int>(dRatio); // one pixel of the window, sharp
        for (const QPoint pt : {QPoint(0, 0), QPoint(nEdge - 1, 9 * nEdge),
                                QPoint(out.width() - 1, out.height() - nEdge), QPoint(15, 0)})
            EXPECT_EQ(out.pixel(pt), mid.rgb()) << dRatio << ' ' << pt.x() << ',' << pt.y();
        for (const QPoint pt : {QPoint(nEdge, nEdge), QPoint(out.width() - nEdge - 1, 10)})
            EXPECT_EQ(out.pixel(pt), QColor(Qt::white).rgb()) << dRatio << ' ' << pt.x();
    }
}
