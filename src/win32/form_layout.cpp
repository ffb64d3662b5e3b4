#include "win32/form_layout.h"

#include <algorithm>

#include "win32/resource.h"

namespace orvandel::win32 {

const std::array<TemplatePlace, 13>& FormTemplatePlaces() {
    static constexpr auto box = [](int left, int top, int width, int height) {
        return RECT{left, top, left + width, top + height};
    };
    // clang-format off
    static const std::array<TemplatePlace, 13> places = {{
        {IDC_TURN_LEFT,    box( 60, 194,  67,  20)},
        {IDC_MOVE_FORWARD, box(136, 194,  67,  20)},
        {IDC_TURN_RIGHT,   box(212, 194,  67,  20)},
        {IDC_MOVE_LEFT,    box( 60, 220,  67,  20)},
        {IDC_MOVE_BACK,    box(136, 220,  67,  20)},
        {IDC_MOVE_RIGHT,   box(212, 220,  67,  20)},
        {IDC_EVEN_ODD,     box( 60, 246, 105,  10)},
        {IDC_RELOAD,       box(349, 183, 172,  22)},
        {IDC_EXPORT,       box(349, 211, 172,  22)},
        {IDC_PREVIEW,      box(  7,   7, 320, 183)},
        {IDC_MAP,          box(332,   7, 189, 153)},
        {IDC_MAP_NOTE,     box(336, 164, 185,   8)},
        {IDC_POSITION,     box(  7, 198,  41,   8)},
    }};
    // clang-format on
    return places;
}

RECT PlaceControl(int id, RECT place, int extraWidth, int extraHeight, int previewWidth,
                  int mapWidth) {
    extraWidth = std::max(0, extraWidth);
    extraHeight = std::max(0, extraHeight);
    const int total = previewWidth + mapWidth;
    const int previewGrowth = total > 0 ? extraWidth * previewWidth / total : 0;
    const int mapGrowth = extraWidth - previewGrowth;
    switch (id) {
        case IDC_PREVIEW:
            place.right += previewGrowth;
            place.bottom += extraHeight;
            break;
        case IDC_MAP:
            OffsetRect(&place, previewGrowth, 0);
            place.right += mapGrowth;
            place.bottom += extraHeight;
            break;
        case IDC_RELOAD:
        case IDC_EXPORT:
        case IDC_MAP_NOTE:
            OffsetRect(&place, previewGrowth, extraHeight);
            break;
        case kProblemsPanelId:
            OffsetRect(&place, 0, extraHeight);
            place.right += extraWidth;
            break;
        default:
            OffsetRect(&place, 0, extraHeight);
            break;
    }
    return place;
}

}  // namespace orvandel::win32
