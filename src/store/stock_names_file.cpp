#include "store/stock_names_file.h"

#include <sstream>

#include "store/folder_lock.h"

namespace fiscora {

StockNames parseStockNames(const std::string& text) {
    StockNames names;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto first = line.find('\t');
        if (first == std::string::npos) continue;
        const bool market =
            line.compare(first + 1, 2, "0\t") == 0 || line.compare(first + 1, 2, "1\t") == 0;
        if (!market) continue;
        const std::string code = line.substr(0, first);
        const std::string name = line.substr(first + 3);
        if (code.empty() || name.empty() ||
            code.find_first_not_of("0123456789") != std::string::npos)
            continue;
        names[{code, line[first + 1] - '0'}] = name;
    }
    return names;
}

std::string formatStockNames(const StockNames& names) {
    std::string text;
    for (const auto& [stock, name] : names)
        text += stock.first + '\t' + std::to_string(stock.second) + '\t' + name + '\n';
    return text;
}

StockNames loadStockNames(const std::string& path, FileStamp* stamp) {
    const ReadResult file = readWholeFile(path, OpenMode::ReadOnly, kMaxStockNamesBytes);
    if (stamp != nullptr) *stamp = file.stamp;
    if (file.status != ReadStatus::Ok) return {};
    return parseStockNames(std::string(file.bytes.begin(), file.bytes.end()));
}

FileError mergeStockNames(const std::string& path, const StockNames& learned) {
    FolderLock lock(folderOf(path));
    if (lock.busy()) return FileError::Busy;
    StockNames names = loadStockNames(path);
    bool changed = false;
    for (const auto& [stock, name] : learned) {
        // A name the file cannot hold on one line is not learned.
        if (name.empty() || name.find_first_of("\t\r\n") != std::string::npos) continue;
        std::string& kept = names[stock];
        changed = changed || kept != name;
        kept = name;
    }
    if (!changed) return FileError::None;
    const std::string text = formatStockNames(names);
    return replaceFile(path, Bytes(text.begin(), text.end())).error;
}

}  // namespace fiscora
