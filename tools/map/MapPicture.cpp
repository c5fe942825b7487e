// Paints the map widget offscreen into a PNG: the whole world, or one country highlighted.
// map_picture OUT.png [WIDTH HEIGHT SCALE [CODE]]; docs/world-map.png is 800 400 2.
#include "map/CWorldMapView.h"
#include "platform/CDialogUnits.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2 && argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: map_picture OUT.png [WIDTH HEIGHT SCALE [CODE]]\n");
        return 2;
    }
    const int cx = argc > 2 ? std::atoi(argv[2]) : 800;
    const int cy = argc > 2 ? std::atoi(argv[3]) : 400;
    const double dScale = argc > 2 ? std::atof(argv[4]) : 2;
    CWorldMapView view;
    view.setFont(DialogFont());
    view.resize(cx, cy);
    if (argc == 6 && !view.Highlight(argv[5])) {
        std::fprintf(stderr, "map_picture: no country %s\n", argv[5]);
        return 1;
    }
    QImage image(QSize(cx, cy) * dScale, QImage::Format_RGB32);
    image.setDevicePixelRatio(dScale);
    QPainter painter(&image);
    view.Render(painter);
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
