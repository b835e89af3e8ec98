#include "engine/change_steps.h"

#include <sys/stat.h>

#include "store/crash_point.h"

namespace fiscora {

ChangeIntent intentFor(ChangeIntent::Kind kind, const std::string& ledgerFile,
                       const std::string& account, const std::string& from, const std::string& to) {
    ChangeIntent intent{kind, 0, 0, account, from, to};
    struct stat st {};
    if (::lstat(ledgerFile.c_str(), &st) == 0) {
        intent.ledgerDevice = st.st_dev;
        intent.ledgerInode = st.st_ino;
    }
    return intent;
}

bool recordIntent(Workspace& workspace, const ChangeIntent& intent) {
    FileError error = FileError::Other;
    if (writeIntent(workspace.dataDirectory(), workspace.scrambler(), intent, error)) {
        crashPoint("intent-written");
        return true;
    }
    workspace.messages().error("不能写入文件" + intentPath(workspace.dataDirectory()) + "，" +
                               kNothingChanged + failureReason(error));
    return false;
}

void forgetIntent(Workspace& workspace) {
    crashPoint("registry-written");
    removeIntent(workspace.dataDirectory());
}

}  // namespace fiscora
