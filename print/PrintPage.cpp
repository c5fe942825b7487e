#include "print/PrintPage.h"

#include <algorithm>

PaperSize SizeOf(Paper paper, bool bLandscape)
{
    const PaperSize portrait = paper == Paper::A4 ? PaperSize{210, 297} : PaperSize{182, 257};
    return bLandscape ? PaperSize{portrait.fHeight, portrait.fWidth} : portrait;
}

MapPlacement MapPlacement::Fit(const MapRect& frame, const PrintRect& rc)
{
    MapPlacement place;
    place.fScale = std::min(rc.w / frame.Width(), rc.h / frame.Height());
    place.x0 = rc.x + (rc.w - frame.Width() * place.fScale) / 2 - frame.left * place.fScale;
    place.y0 = rc.y + (rc.h - frame.Height() * place.fScale) / 2 - frame.top * place.fScale;
    return place;
}

float TextEms(std::string_view utf8)
{
    float fEms = 0;
    for (const unsigned char c : utf8) {
        if (c < 0x80)
            fEms += 0.6f;
        else if (c >= 0xc0) // the lead byte of a wider character
            fEms += 1.0f;
    }
    return fEms;
}
