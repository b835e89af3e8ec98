#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/pdf_plugin.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int code =
        fiscora::cli::runCli(args, std::cout, std::cerr,
                             fiscora::cli::pluginPdfWriter(FISCORA_PDF_PLUGIN_DIR, std::cerr));
    std::cout.flush();
    return std::cout.fail() ? 1 : code;
}
