#include "output/list_text_export.h"

#include <string_view>

#include "host/module_state.h"
#include "output/list_reports.h"
#include "records/gbk_text.h"
#include "store/safe_file.h"

namespace fiscora {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

std::string_view trimBlanks(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::optional<std::string> exportBytes(std::string_view utf8) {
    std::string text;
    text.reserve(utf8.size());
    for (auto at = utf8.find(kReplacementCharacter); at != std::string_view::npos;
         at = utf8.find(kReplacementCharacter)) {
        text.append(utf8.substr(0, at)).push_back('?');
        utf8.remove_prefix(at + kReplacementCharacter.size());
    }
    text.append(utf8);
    return utf8ToGbk(text);
}

bool appendField(std::string& out, std::string_view utf8) {
    const auto gbk = exportBytes(utf8);
    if (!gbk) return false;
    out += *gbk;
    out += '\t';
    return true;
}

}  // namespace

std::optional<std::string> listAsText(const ListTable& list) {
    std::string out;
    for (const ListColumn& column : list.columns) {
        if (!appendField(out, trimBlanks(column.header))) return std::nullopt;
    }
    out += "\r\n";
    // A row has one field per column, as the list shows it: missing cells are empty and
    // cells past the last column are not shown.
    for (const auto& row : list.rows) {
        for (std::size_t i = 0; i < list.columns.size(); ++i) {
            if (!appendField(out, i < row.size() ? std::string_view(row[i]) : std::string_view()))
                return std::nullopt;
        }
        out += "\r\n";
    }
    return out;
}

bool SaveListAsText(const ListTable& list, const std::string& path) {
    const auto text = listAsText(list);
    if (!text) return false;
    return static_cast<bool>(replaceFile(path, Bytes(text->begin(), text->end())));
}

void SaveList(const ListTable& list, const std::string& fileName, Messages& messages,
              const OpenInTextEditor& openInTextEditor) {
    const std::string path = dataDirectory() + fileName;
    if (!SaveListAsText(list, path)) {
        messages.plain(kSaveFailedMessage);
        return;
    }
    if (messages.askYesNo("文件保存为当前路径下" + path + ",是否用文本编辑器打开?") &&
        !openInTextEditor(path)) {
        messages.plain(kNoTextEditorMessage + path);
    }
}

}  // namespace fiscora
