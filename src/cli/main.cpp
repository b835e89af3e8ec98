#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/drawing_plugin.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    fiscora::cli::CliServices services;
    services.pdfWriter = fiscora::cli::pluginPdfWriter(FISCORA_DRAWING_PLUGIN_DIR, std::cerr);
    services.pngWriter = fiscora::cli::pluginPngWriter(FISCORA_DRAWING_PLUGIN_DIR, std::cerr);
    const int code = fiscora::cli::runCli(args, std::cout, std::cerr, services);
    std::cout.flush();
    return std::cout.fail() ? 1 : code;
}
