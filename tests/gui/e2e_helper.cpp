// Helper for the end-to-end run:
//   orvandel_e2e_helper make-wallset FOLDER
//   orvandel_e2e_helper check FOLDER SCREENSHOT.png KEYS
// `check` composes the view the core renders from FOLDER's wall set after KEYS (the walk keys
// 7 8 9 4 5 6 and e, as typed) and looks for it in the screenshot at a whole scale with gray
// around it. Exit 0 when found pixel for pixel.
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <cstdio>
#include <string>

#include "core/map/map_state.h"
#include "core/view/view_renderer.h"
#include "core/wallset/load_wall_set.h"
#include "qtimage/palette_dib_image.h"
#include "support/test_wall_set.h"

namespace {

using namespace orvandel;

bool ApplyKeys(const std::string& keys, MapState& map, bool& evenOdd) {
    for (const char key : keys) {
        switch (key) {
            case '7':
                map.Turn(-1);
                break;
            case '9':
                map.Turn(+1);
                break;
            case '8':
                map.Walk(kStepForward);
                break;
            case '6':
                map.Walk(kStepRight);
                break;
            case '5':
                map.Walk(kStepBack);
                break;
            case '4':
                map.Walk(kStepLeft);
                break;
            case 'e':
                evenOdd = !evenOdd;
                break;
            default:
                return false;
        }
    }
    return true;
}

bool MatchesAt(const QImage& shot, const QImage& view, int scale, int left, int top) {
    for (int y = 0; y < view.height() * scale; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(top + y));
        for (int x = 0; x < view.width() * scale; ++x) {
            if ((row[left + x] & 0xFFFFFF) != (view.pixel(x / scale, y / scale) & 0xFFFFFF)) {
                return false;
            }
        }
    }
    return true;
}

bool GrayAround(const QImage& shot, int left, int top, int width, int height) {
    const QRgb gray = qRgb(128, 128, 128);
    auto isGray = [&](int x, int y) {
        return x < 0 || y < 0 || x >= shot.width() || y >= shot.height() ||
               (shot.pixel(x, y) & 0xFFFFFF) == (gray & 0xFFFFFF);
    };
    // At least one whole gray band along the longer sides: the viewport is centred, so the
    // margin may be zero on one axis but never on both.
    bool above = true;
    bool below = true;
    for (int x = left; x < left + width; ++x) {
        above = above && isGray(x, top - 1);
        below = below && isGray(x, top + height);
    }
    bool leftBand = true;
    bool rightBand = true;
    for (int y = top; y < top + height; ++y) {
        leftBand = leftBand && isGray(left - 1, y);
        rightBand = rightBand && isGray(left + width, y);
    }
    return (above && below) || (leftBand && rightBand);
}

int Check(const std::string& folder, const std::string& shotFile, const std::string& keys) {
    MapState map;
    bool evenOdd = false;
    if (!ApplyKeys(keys, map, evenOdd)) {
        std::fprintf(stderr, "unknown key in '%s'\n", keys.c_str());
        return 2;
    }
    WallSet wallSet;
    const LoadReport report = LoadWallSet(wallSet, WallSetDocument(), folder);
    if (!report.ok()) {
        std::fprintf(stderr, "the wall set did not load\n");
        return 2;
    }
    ViewRenderer renderer;
    renderer.RenderView(wallSet, map, evenOdd);
    const QImage view =
        PaletteDibToImage(renderer.viewport()).convertToFormat(QImage::Format_RGB32);
    const QImage shot =
        QImage(QString::fromStdString(shotFile)).convertToFormat(QImage::Format_RGB32);
    if (shot.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", shotFile.c_str());
        return 2;
    }
    const QRgb first = view.pixel(0, 0);
    for (int scale = std::min(shot.width() / 224, shot.height() / 136); scale >= 1; --scale) {
        const int width = 224 * scale;
        const int height = 136 * scale;
        for (int top = 0; top + height <= shot.height(); ++top) {
            const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(top));
            for (int left = 0; left + width <= shot.width(); ++left) {
                if ((row[left] & 0xFFFFFF) == (first & 0xFFFFFF) &&
                    MatchesAt(shot, view, scale, left, top) &&
                    GrayAround(shot, left, top, width, height)) {
                    std::printf("found at %d,%d scale %d\n", left, top, scale);
                    return 0;
                }
            }
        }
    }
    view.save(QString::fromStdString(shotFile + ".expected.png"));
    std::fprintf(stderr,
                 "the rendered view is not in the screenshot (expected view saved beside it)\n");
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "make-wallset" && argc == 3) {
        orvandel::testing::WriteTestWallSet(argv[2]);
        return 0;
    }
    if (command == "check" && argc == 5) {
        return Check(argv[2], argv[3], argv[4]);
    }
    std::fprintf(stderr, "usage: %s make-wallset FOLDER | check FOLDER SHOT.png KEYS\n", argv[0]);
    return 2;
}
