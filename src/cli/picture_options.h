#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

#include "cli/command.h"

namespace fiscora::cli {

inline constexpr const char* kPngOption = "--png";
inline constexpr const char* kSizeOption = "--size";

// A picture's side is at most this many pixels (a larger one would take gigabytes).
inline constexpr int kLargestPictureSide = 4096;

struct PictureSize {
    int width = 0;
    int height = 0;
};

// "WxH" with both sides from 1 to kLargestPictureSide; nothing for anything else.
std::optional<PictureSize> parsePictureSize(const std::string& text);

// Checks a drawing command's options before anything is read: the options `withPng` (how
// to draw: --size and the like) come only with --png, --size reads as WxH, and this build
// can write PNG files. Sets `size` to --size, else to `fallback`. False with the reason on
// stderr (the exit code is then kExitUsage).
bool readPictureOptions(const CommandContext& c, std::initializer_list<const char*> withPng,
                        PictureSize fallback, PictureSize& size);

// Writes the --png picture of `size` through `draw`, which answers whether it drew.
// kExitOk, or kExitRefused with the reason on stderr: nothing drawn (`nothingDrawn` says
// why) or the file not written.
int writePngPicture(CommandContext& c, PictureSize size,
                    const std::function<bool(ReportCanvas&, Rgb face)>& draw,
                    const std::string& nothingDrawn);

}  // namespace fiscora::cli
