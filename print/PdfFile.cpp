#include "print/PdfFile.h"

#include "map/WorldMapData.h"
#include "platform/Cp932.h"
#include "print/CPdfPrinter.h"
#include "print/PrintRequest.h"

QByteArray MakePdf(const PrintRequest& request)
{
    const WorldMap& map = WorldMapData();
    return CPdfPrinter(map).Render(MakeDocument(request, map));
}

StampedFile WritePdf(const std::filesystem::path& folder, const PrintRequest& request,
                     std::time_t now)
{
    const QByteArray pdf = MakePdf(request);
    return WriteStampedFile(folder, Cp932::FromUtf8(FilePrefix(request.kind)).value_or(""), ".pdf",
                            std::string_view(pdf.constData(), std::size_t(pdf.size())), now);
}
