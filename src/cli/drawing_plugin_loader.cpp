#include <dlfcn.h>
#include <unistd.h>

#include "cli/drawing_plugin.h"

namespace fiscora::cli {
namespace {

using PdfEntry = bool (*)(const ListTable&, const std::string&, const std::string&);
using PngEntry = bool (*)(const std::string&, int, int,
                          const std::function<bool(ReportCanvas&, Rgb)>&);

std::string programFolder() {
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    const std::string exe(path, static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

// The plugin's entry point `name`, the plugin loaded from the program's folder or else from
// `installedFolder`; null, with the reason on `err`, when it cannot be loaded.
template <typename Entry>
Entry pluginEntry(const std::string& installedFolder, const char* name, std::ostream& err) {
    void* module = nullptr;
    for (const std::string& folder : {programFolder(), installedFolder}) {
        if (folder.empty()) continue;
        module = ::dlopen((folder + kDrawingPluginFile).c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module != nullptr) break;
    }
    const auto entry = module != nullptr ? reinterpret_cast<Entry>(::dlsym(module, name)) : nullptr;
    if (entry == nullptr) {
        const char* why = ::dlerror();
        err << "fiscora-cli: cannot load the drawing plugin " << kDrawingPluginFile << ": "
            << (why != nullptr ? why : "not found") << '\n';
    }
    return entry;
}

}  // namespace

PdfReportWriter pluginPdfWriter(const std::string& installedFolder, std::ostream& err) {
    return [installedFolder, &err](const ListTable& list, const std::string& title,
                                   const std::string& path) {
        const auto entry = pluginEntry<PdfEntry>(installedFolder, kPdfPluginEntry, err);
        return entry != nullptr && entry(list, title, path);
    };
}

PngPictureWriter pluginPngWriter(const std::string& installedFolder, std::ostream& err) {
    return [installedFolder, &err](const std::string& path, int width, int height,
                                   const std::function<bool(ReportCanvas&, Rgb)>& draw) {
        const auto entry = pluginEntry<PngEntry>(installedFolder, kPngPluginEntry, err);
        return entry != nullptr && entry(path, width, height, draw);
    };
}

}  // namespace fiscora::cli
