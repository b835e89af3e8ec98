#pragma once

#include <string>

#include "store/program_settings.h"
#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// "设置": the desktop program's home folder and quote file, as the settings file keeps
// them. An empty box stands for the default (the home folder of $XDG_DATA_HOME, quotes.tsv
// in the home folder). The data folder the window works on is shown above them.
class ProgramSettingsDialog : public DialogModel {
public:
    ProgramSettingsDialog(Messages& messages, ProgramSettings current,
                          const std::string& dataFolderInUse);

    // The home folder must be a whole path ("/...") and no file; the quote file no folder;
    // neither may hold a line break (the settings file keeps one a line).
    bool OnConfirm() override;

    // The settings as the boxes hold them, the file's other lines kept.
    ProgramSettings settings() const;

    LabelField dataFolder;
    TextField homeFolder;
    TextField quoteFile;

private:
    ProgramSettings current_;
};

}  // namespace fiscora::ui
