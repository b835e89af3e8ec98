#pragma once

#include <functional>
#include <optional>
#include <string>

#include "host/messages.h"
#include "output/list_table.h"

namespace fiscora {

// The list as a tab-separated text in GBK, no encoding mark: a header line of the column
// headers with their leading and trailing blanks removed, then one line per row with each
// cell as shown. Every field, the last included, is followed by a TAB; every line, the last
// included, ends with CR LF. Nothing when a text holds a character GBK cannot hold, so an
// export is never silently altered (U+FFFD, which stands for bytes that were already
// unreadable when the text came in, is written as '?').
std::optional<std::string> listAsText(const ListTable& list);

// Writes listAsText to `path`, replacing the whole file crash-safely. False when the text
// cannot be made or the file cannot be written.
bool SaveListAsText(const ListTable& list, const std::string& path);

// Opens a saved file for the user to read (the window opens the desktop's text editor);
// false when no editor could be started.
using OpenInTextEditor = std::function<bool(const std::string& path)>;

// Shown with the file's full path when the user asked to open a saved file and no text
// editor could be started.
inline constexpr const char* kNoTextEditorMessage = "无法启动文本编辑器。文件已保存为:\n";

// The save command of a list: saves it as `fileName` in the data directory, then offers to
// open the file (kNoTextEditorMessage when that cannot be done); "保存失败" when it could
// not be saved.
void SaveList(const ListTable& list, const std::string& fileName, Messages& messages,
              const OpenInTextEditor& openInTextEditor);

}  // namespace fiscora
