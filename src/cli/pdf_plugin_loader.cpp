#include <dlfcn.h>
#include <unistd.h>

#include <ostream>

#include "cli/pdf_plugin.h"

namespace fiscora::cli {
namespace {

using Entry = bool (*)(const ListTable&, const std::string&, const std::string&);

std::string programFolder() {
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    const std::string exe(path, static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

}  // namespace

PdfReportWriter pluginPdfWriter(const std::string& installedFolder, std::ostream& err) {
    return [installedFolder, &err](const ListTable& list, const std::string& title,
                                   const std::string& path) {
        void* module = nullptr;
        for (const std::string& folder : {programFolder(), installedFolder}) {
            if (folder.empty()) continue;
            module = ::dlopen((folder + kPdfPluginFile).c_str(), RTLD_NOW | RTLD_LOCAL);
            if (module != nullptr) break;
        }
        const auto entry =
            module != nullptr ? reinterpret_cast<Entry>(::dlsym(module, kPdfPluginEntry)) : nullptr;
        if (entry == nullptr) {
            const char* why = ::dlerror();
            err << "fiscora-cli: cannot load the PDF writer " << kPdfPluginFile << ": "
                << (why != nullptr ? why : "not found") << '\n';
            return false;
        }
        return entry(list, title, path);
    };
}

}  // namespace fiscora::cli
