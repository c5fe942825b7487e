#include "map/WorldMapData.h"

#include "map/WorldMap.h"

#include <QResource>
#include <QtGlobal>

// The resource lives in a static library; naming its initialiser keeps the linker from
// dropping it. Global scope: Q_INIT_RESOURCE declares the initialiser where it stands.
static std::span<const unsigned char> MapBytes()
{
    Q_INIT_RESOURCE(map);
    // Stored uncompressed (see CMakeLists.txt), so the bytes are read in place.
    const QResource resource(QStringLiteral(":/map/world.map"));
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return {resource.data(), std::size_t(resource.size())};
}

const WorldMap& WorldMapData()
{
    static const WorldMap map = [] {
        std::string strError;
        std::optional<WorldMap> decoded = WorldMap::Decode(MapBytes(), &strError);
        if (!decoded) {
            qWarning("world map unreadable: %s", strError.c_str());
            return WorldMap();
        }
        return std::move(*decoded);
    }();
    return map;
}
