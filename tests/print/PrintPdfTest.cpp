#include "map/WorldMapData.h"
#include "platform/File.h"
#include "print/PdfFile.h"
#include "print/PrintRequest.h"
#include "print/QuestionSheet.h"

#include "TestSupport.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

// The three PDFs made from the bundled files, read back with poppler's tools as a reader would
// see them: pages, the Japanese text, the font, a page as a picture.
namespace {

std::string Bundled(const char* szName)
{
    return ReadFileBytes(std::filesystem::path(MARELTO_SOURCE_DIR) / "data" / PathFromUtf8(szName));
}

QString RunTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0)
        << program.toStdString() << " " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PrintPdfTest : public ::testing::Test
{
  protected:
    QString Write(const PrintRequest& request)
    {
        const QByteArray pdf = MakePdf(request);
        const std::filesystem::path path = m_dir / "out.pdf";
        WriteFileBytes(path, std::string_view(pdf.constData(), std::size_t(pdf.size())));
        return QString::fromStdString(path.string());
    }
    int Pages(const QString& pdf)
    {
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(RunTool("pdfinfo", {pdf}));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }
    // Every font embedded, the Japanese one among them.
    void ExpectFontsEmbedded(const QString& pdf)
    {
        const QStringList lines = RunTool("pdffonts", {pdf}).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_GT(lines.size(), 2);
        EXPECT_TRUE(lines[2].startsWith(QStringLiteral("IPAPGothic"))) << lines[2].toStdString();
        for (qsizetype i = 2; i < lines.size(); ++i)
            EXPECT_TRUE(lines[i].contains(QStringLiteral(" yes "))) << lines[i].toStdString();
    }
    QString Text(const QString& pdf, int nPage)
    {
        return RunTool("pdftotext", {"-f", QString::number(nPage), "-l", QString::number(nPage),
                                     "-layout", pdf, "-"});
    }
    // The page as a picture at 50 dpi: how much of it is not white.
    double Inked(const QString& pdf, int nPage)
    {
        const QString stem = QString::fromStdString((m_dir / "page").string());
        RunTool("pdftoppm", {"-r", "50", "-png", "-singlefile", "-f", QString::number(nPage), "-l",
                             QString::number(nPage), pdf, stem});
        const QImage image(stem + ".png");
        EXPECT_FALSE(image.isNull());
        qint64 nInk = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                nInk += image.pixel(x, y) != qRgb(255, 255, 255);
        return image.isNull() ? 0 : double(nInk) / (double(image.width()) * image.height());
    }

    TempDir m_dir;
};

} // namespace

TEST_F(PrintPdfTest, QuestionSheetFromTheBundledSample)
{
    PrintRequest request;
    request.questionFile = Bundled("sample0524.txt");
    request.options.strSource = "sample0524.txt";
    const QString pdf = Write(request);
    const PrintDocument doc = MakeDocument(request, WorldMapData());
    EXPECT_EQ(Pages(pdf), int(doc.pages.size()));
    ExpectFontsEmbedded(pdf);
    const QString first = Text(pdf, 1);
    EXPECT_TRUE(first.contains(QStringLiteral("国旗 問題プリント")));
    EXPECT_TRUE(first.contains(QStringLiteral("この国旗はどの国の国旗？")));
    // Each answer whole, as the record holds it: nothing cut.
    for (const char* szChoice : {"① イエメン", "② ヨルダン", "③ シリア", "④ アラブ首長国連邦"})
        EXPECT_TRUE(first.contains(QString::fromUtf8(szChoice))) << szChoice;
    const auto firstKey = std::find_if(doc.pages.begin(), doc.pages.end(), [](const PrintPage& p) {
        return p.texts.front().strText == "解答";
    });
    ASSERT_NE(firstKey, doc.pages.end());
    const QString key = Text(pdf, int(firstKey - doc.pages.begin()) + 1);
    EXPECT_TRUE(key.contains(QStringLiteral("④ アラブ首長国連邦")));
    // Flags in colour on the page.
    EXPECT_GT(Inked(pdf, 1), 0.08);
    // Every question and answer of the file whole somewhere in the text, lines joined.
    QString all = RunTool("pdftotext", {pdf, "-"});
    all.remove(QRegularExpression(QStringLiteral("\\s")));
    for (const SheetQuestion& q : SheetQuestions(request.questionFile)) {
        EXPECT_TRUE(all.contains(QString::fromStdString(q.strQuestion).remove(u' ')));
        for (const std::string& choice : q.choices)
            EXPECT_TRUE(all.contains(QString::fromStdString(choice).remove(u' '))) << choice;
    }
}

TEST_F(PrintPdfTest, FlagCardsFromTheBundledAsiaFile)
{
    PrintRequest request;
    request.kind = PrintRequest::Kind::Cards;
    request.questionFile = Bundled("アジア州.txt");
    const QString pdf = Write(request);
    EXPECT_EQ(Pages(pdf), int(MakeDocument(request, WorldMapData()).pages.size()));
    ExpectFontsEmbedded(pdf);
    EXPECT_TRUE(Text(pdf, 1).contains(QStringLiteral("No.1")));
    const QString back = Text(pdf, 2);
    for (const char* szText : {"アルメニア", "公用語", "アジア州", "平壌（ぴょんやん）"})
        EXPECT_TRUE(back.contains(QString::fromUtf8(szText))) << szText;
    EXPECT_GT(Inked(pdf, 1), 0.2); // eight flags
}

TEST_F(PrintPdfTest, BlankMapOfAfricaNumbersEveryCountryReadably)
{
    PrintRequest request;
    request.kind = PrintRequest::Kind::Map;
    request.nContinent = 2;
    const QString pdf = Write(request);
    const int nPages = Pages(pdf);
    const PrintDocument doc = MakeDocument(request, WorldMapData());
    EXPECT_EQ(nPages, int(doc.pages.size()));
    // The map and the strip beside it, in points.
    const PrintRect& rcMap = doc.pages[0].maps[0].rc;
    const double dPt = 72 / 25.4;
    const QRectF area(rcMap.x * dPt, rcMap.y * dPt, (rcMap.w + 12) * dPt, rcMap.h * dPt);
    ExpectFontsEmbedded(pdf);
    // Every number from 1 to 54 read back from the map page as a word of its own, and no two
    // of them in the same place.
    const QString bbox = RunTool("pdftotext", {"-f", "1", "-l", "1", "-bbox", pdf, "-"});
    const QRegularExpression word(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                                 "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">(\\d+)<"));
    std::map<int, QRectF> found;
    for (const QRegularExpressionMatch& m : word.globalMatch(bbox)) {
        const QRectF rc(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                        QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        if (!area.contains(rc))
            continue;
        for (const auto& [n, other] : found)
            EXPECT_FALSE(rc.intersects(other)) << n << " and " << m.captured(5).toStdString();
        found[m.captured(5).toInt()] = rc;
    }
    for (int n = 1; n <= 54; ++n)
        EXPECT_TRUE(found.count(n)) << n;
    EXPECT_EQ(found.size(), 54u);
    EXPECT_TRUE(Text(pdf, nPages).contains(QStringLiteral("エジプト")));
    EXPECT_GT(Inked(pdf, 1), 0.2);
}
