#include "cli/picture_options.h"

#include <charconv>

#include "cli/exit_codes.h"
#include "cli/list_files.h"
#include "cli/usage.h"

namespace fiscora::cli {
namespace {

// A whole number of pixels from 1 to the largest side, all of `text`.
std::optional<int> side(std::string_view text) {
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size() || n < 1 ||
        n > kLargestPictureSide)
        return std::nullopt;
    return n;
}

}  // namespace

std::optional<PictureSize> parsePictureSize(const std::string& text) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return std::nullopt;
    const std::string_view whole(text);
    const auto width = side(whole.substr(0, x));
    const auto height = side(whole.substr(x + 1));
    if (!width || !height) return std::nullopt;
    return PictureSize{*width, *height};
}

bool readPictureOptions(const CommandContext& c, std::initializer_list<const char*> withPng,
                        PictureSize fallback, PictureSize& size) {
    const bool png = optionValue(c, kPngOption) != nullptr;
    for (const char* name : withPng) {
        if (!png && optionValue(c, name) != nullptr) {
            usageError(c.err, std::string(name) + " goes with " + kPngOption);
            return false;
        }
    }
    size = fallback;
    if (const std::string* given = optionValue(c, kSizeOption)) {
        const auto parsed = parsePictureSize(*given);
        if (!parsed) {
            usageError(c.err, std::string(kSizeOption) +
                                  " takes WIDTHxHEIGHT in pixels, each from 1 to " +
                                  std::to_string(kLargestPictureSide));
            return false;
        }
        size = *parsed;
    }
    if (png && !c.services.pngWriter) {
        c.err << "fiscora-cli: this build cannot write PNG files\n";
        return false;
    }
    return true;
}

int writePngPicture(CommandContext& c, PictureSize size,
                    const std::function<bool(ReportCanvas&, Rgb face)>& draw,
                    const std::string& nothingDrawn) {
    const std::string& path = *optionValue(c, kPngOption);
    std::optional<bool> drawn;  // unset when the writer failed before drawing
    const bool written =
        c.services.pngWriter(path, size.width, size.height, [&](ReportCanvas& canvas, Rgb face) {
            drawn = draw(canvas, face);
            return *drawn;
        });
    if (written) return kExitOk;
    if (drawn == false)
        c.err << "fiscora-cli: " << nothingDrawn << ", no picture written\n";
    else
        c.err << "fiscora-cli: cannot write " << path << '\n';
    return kExitRefused;
}

}  // namespace fiscora::cli
