#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>

#include <map>
#include <memory>
#include <string>

class QPainter;
class QPdfWriter;
class WorldMap;
struct PrintDocument;
struct PrintMap;
struct PrintPage;
struct PrintText;

// Paints print pages into a PDF with Qt's own writer, the Japanese font embedded: flags from the
// program's pictures, maps from its world map. A text too long for its box is set smaller
// until it fits, never cut.
class CPdfPrinter
{
  public:
    explicit CPdfPrinter(const WorldMap& map);
    ~CPdfPrinter();

    QByteArray Render(const PrintDocument& doc);

  private:
    void PaintPage(QPainter& painter, const PrintPage& page);
    void PaintText(QPainter& painter, const PrintText& text);
    void PaintMap(QPainter& painter, const PrintMap& map);
    const QImage& Flag(const std::string& code);
    const WorldMap& MapFor(double dTolerance);

    const WorldMap& m_map;
    double m_dDots = 1; // device dots per millimetre
    QHash<QString, QImage> m_flags;
    std::map<int, std::unique_ptr<WorldMap>> m_simplified;
};
