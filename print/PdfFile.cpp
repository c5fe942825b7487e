#include "print/PdfFile.h"

#include "map/WorldMapData.h"
#include "platform/Cp932.h"
#include "print/CPdfPrinter.h"
#include "print/PrintRequest.h"

QByteArray MakePdf(const PrintRequest& request)
{
    const WorldMap& map = WorldMapData();
    const PrintDocument doc = MakeDocument(request, map);
    return doc.pages.empty() ? QByteArray() : CPdfPrinter(map).Render(doc);
}

StampedFile WritePdf(const std::filesystem::path& folder, const PrintRequest& request,
                     std::time_t now)
{
    const QByteArray pdf = MakePdf(request);
    if (pdf.isEmpty())
        return {};
    return WriteStampedFile(folder, Cp932::FromUtf8(FilePrefix(request.kind)).value_or(""), ".pdf",
                            std::string_view(pdf.constData(), std::size_t(pdf.size())), now);
}
