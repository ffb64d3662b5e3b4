#include "core/report/report_json.h"

#include <ostream>
#include <string_view>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/export/export_wall_pieces.h"
#include "core/report/report_problems.h"
#include "core/view/view_cell_table.h"

namespace orvandel {
namespace {

using Json = nlohmann::ordered_json;

Json ReasonOrNull(bool loaded, const std::string& reason) {
    return loaded ? Json(nullptr) : Json(reason);
}

Json PathOrNull(const std::filesystem::path& path) {
    return path.empty() ? Json(nullptr) : Json(PathToUtf8(path));
}

std::string ExportFileName(const PieceReport& piece) {
    for (const ExportPicture& picture : ExportPictureList()) {
        if (picture.row == piece.row && picture.alternate == piece.alternate) {
            return picture.fileName;
        }
    }
    return {};
}

Json PictureJson(const PictureReport& picture, bool withColours) {
    Json problems = Json::array();
    for (const ReportProblem& problem : ProblemsOfPicture(picture)) {
        problems.push_back({{"code", problem.code}, {"message", problem.message}});
    }
    Json colours = Json::array();
    if (withColours) {
        for (const ApproximatedColour& colour : picture.approximatedColours) {
            colours.push_back({{"colour", messages::ColourText(colour.colour)},
                               {"index", colour.index},
                               {"pixels", colour.pixels}});
        }
    }
    return {
        {"key", picture.key},
        {"slot", picture.slot},
        {"name", picture.name},
        {"path", PathOrNull(picture.path)},
        {"loaded", picture.loaded},
        {"decoded_without_palette", picture.decodedWithoutPalette},
        {"reason", ReasonOrNull(picture.loaded, picture.reason)},
        {"width", picture.width},
        {"height", picture.height},
        {"bits_per_pixel", picture.bitsPerPixel},
        {"needed_width", picture.neededWidth},
        {"needed_height", picture.neededHeight},
        {"too_small", picture.TooSmall()},
        {"approximated_pixels", picture.approximatedPixels},
        {"see_through_pixels", picture.seeThroughPixels},
        {"approximated_colours", colours},
        {"approximated_colours_complete", picture.coloursListed},
        {"problems", problems},
    };
}

Json PieceJson(const PieceReport& piece) {
    return {
        {"row", ViewCells()[static_cast<std::size_t>(piece.row)].name},
        {"form", piece.alternate ? "alternate" : "own"},
        {"file", ExportFileName(piece)},
        {"slot", piece.form.slot},
        {"drawn", !piece.emptySlot},
        {"covered", piece.covered()},
        {"mirrored", piece.form.mirrored},
        {"empty_slot", piece.emptySlot},
    };
}

Json ReportJson(const WallSetReport& report, const std::filesystem::path& homeFolder,
                const std::optional<std::filesystem::path>& wallSetFile, int exitStatus,
                bool withColours) {
    Json palette = {{"loaded", report.paletteLoaded},
                    {"path", PathOrNull(report.palettePath)},
                    {"reason", ReasonOrNull(report.paletteLoaded, report.paletteReason)}};
    if (report.paletteLoaded) {
        Json colours = Json::array();
        for (const Colour colour : report.palette.colours()) {
            colours.push_back(messages::ColourText(colour));
        }
        palette["colours"] = colours;
    }
    Json pictures = Json::array();
    for (const PictureReport& picture : report.pictures) {
        pictures.push_back(PictureJson(picture, withColours));
    }
    Json pieces = Json::array();
    for (const PieceReport& piece : report.pieces) {
        pieces.push_back(PieceJson(piece));
    }
    Json warnings = Json::array();
    for (const LintWarning& warning : report.wallSetFileWarnings) {
        warnings.push_back({{"line", warning.line}, {"text", warning.text}});
    }
    return {
        {"format", kReportJsonFormat},
        {"ok", report.StrictOk()},
        {"exit_status", exitStatus},
        {"home", PathToUtf8(homeFolder)},
        {"wallset", wallSetFile ? Json(PathToUtf8(*wallSetFile)) : Json(nullptr)},
        {"palette", palette},
        {"pictures", pictures},
        {"pieces", pieces},
        {"wallset_warnings", warnings},
    };
}

constexpr std::string_view kColoursPlaceholder = "\"approximated_colours\": []";

void WriteColourList(std::ostream& out, const std::vector<ApproximatedColour>& colours,
                     const std::string& indent) {
    if (colours.empty()) {
        out << kColoursPlaceholder;
        return;
    }
    out << "\"approximated_colours\": [";
    const char* separator = "\n";
    for (const ApproximatedColour& colour : colours) {
        out << separator << indent << "  {\"colour\": \"" << messages::ColourText(colour.colour)
            << "\", \"index\": " << int{colour.index} << ", \"pixels\": " << colour.pixels << "}";
        separator = ",\n";
    }
    out << "\n" << indent << "]";
}

}  // namespace

nlohmann::ordered_json WallSetReportJson(const WallSetReport& report,
                                         const std::filesystem::path& homeFolder,
                                         const std::optional<std::filesystem::path>& wallSetFile,
                                         int exitStatus) {
    return ReportJson(report, homeFolder, wallSetFile, exitStatus, true);
}

std::string JsonText(const nlohmann::ordered_json& json) {
    return json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string WallSetReportJsonText(const WallSetReport& report,
                                  const std::filesystem::path& homeFolder,
                                  const std::optional<std::filesystem::path>& wallSetFile,
                                  int exitStatus) {
    return JsonText(WallSetReportJson(report, homeFolder, wallSetFile, exitStatus));
}

void WriteWallSetReportJson(std::ostream& out, const WallSetReport& report,
                            const std::filesystem::path& homeFolder,
                            const std::optional<std::filesystem::path>& wallSetFile,
                            int exitStatus) {
    // Everything but the colour lists goes through the JSON library; each empty list it writes
    // is then replaced, picture by picture, by the list written straight to the stream. (A
    // string holding the same text has its quotes escaped, so only keys match.)
    const std::string text =
        JsonText(ReportJson(report, homeFolder, wallSetFile, exitStatus, false));
    std::size_t from = 0;
    for (const PictureReport& picture : report.pictures) {
        const std::size_t at = text.find(kColoursPlaceholder, from);
        if (at == std::string::npos) {
            break;
        }
        const std::size_t lineStart = text.rfind('\n', at) + 1;
        out.write(text.data() + from, static_cast<std::streamsize>(at - from));
        WriteColourList(out, picture.approximatedColours, std::string(at - lineStart, ' '));
        from = at + kColoursPlaceholder.size();
    }
    out.write(text.data() + from, static_cast<std::streamsize>(text.size() - from));
    out << "\n";
}

}  // namespace orvandel
