#include "ui/account/program_settings_dialog.h"

#include <filesystem>
#include <system_error>

namespace fiscora::ui {
namespace {

bool holdsLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

ProgramSettingsDialog::ProgramSettingsDialog(Messages& messages, ProgramSettings current,
                                             const std::string& dataFolderInUse)
    : DialogModel(messages), current_(std::move(current)) {
    setCaption("设置");
    declare(dataFolder, "data-folder", "当前数据文件夹");
    declare(homeFolder, "home", "主文件夹");
    declare(quoteFile, "quotes", "行情文件");
    dataFolder.text = dataFolderInUse;
    homeFolder.text = current_.homeFolder;
    homeFolder.note = "留空：~/.local/share/fiscora";
    quoteFile.text = current_.quoteFile;
    quoteFile.note = "留空：主文件夹中的quotes.tsv";
    setTabOrder({&homeFolder, &quoteFile});
    addAction({.caption = "恢复默认", .run = [this] {
                   typeText(homeFolder, "");
                   typeText(quoteFile, "");
                   focusOn(homeFolder);
               }});
}

bool ProgramSettingsDialog::OnConfirm() {
    const auto refuse = [this](TextField& box, const std::string& why) {
        messages().error(why);
        focusOn(box);
        return false;
    };
    const std::string& home = homeFolder.text;
    std::error_code error;
    if (holdsLineBreak(home)) return refuse(homeFolder, "主文件夹不能含有换行符!");
    if (!home.empty() && home.front() != '/')
        return refuse(homeFolder, "主文件夹必须是以/开头的完整路径!");
    if (!home.empty() && std::filesystem::exists(home, error) &&
        !std::filesystem::is_directory(home, error))
        return refuse(homeFolder, "主文件夹" + home + "不是文件夹!");
    const std::string& quotes = quoteFile.text;
    if (holdsLineBreak(quotes)) return refuse(quoteFile, "行情文件不能含有换行符!");
    if (!quotes.empty() && std::filesystem::is_directory(quotes, error))
        return refuse(quoteFile, "行情文件" + quotes + "是一个文件夹!");
    return true;
}

ProgramSettings ProgramSettingsDialog::settings() const {
    ProgramSettings s = current_;
    s.homeFolder = homeFolder.text;
    s.quoteFile = quoteFile.text;
    return s;
}

}  // namespace fiscora::ui
