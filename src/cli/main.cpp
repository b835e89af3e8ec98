#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "qt/output/headless_pdf.h"
#include "qt/output/headless_picture.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    fiscora::cli::CliServices services;
    services.pdfWriter = fiscora::qt::writePdfReport;
    services.pngWriter = fiscora::qt::writePngPicture;
    const int code = fiscora::cli::runCli(args, std::cout, std::cerr, services);
    std::cout.flush();
    return std::cout.fail() ? 1 : code;
}
