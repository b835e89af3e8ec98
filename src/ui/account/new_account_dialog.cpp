#include "ui/account/new_account_dialog.h"

#include "records/account_info.h"
#include "records/trading_terms.h"
#include "store/ledger_file.h"

namespace fiscora::ui {

NewAccountDialog::NewAccountDialog(Messages& messages) : DialogModel(messages) {
    setCaption("新建帐户");
    setButtons({.confirm = "创建"});
    declare(name, "name", "帐户名称");
    declare(password, "password", "帐户密码");
    declare(confirmation, "confirmation", "密码确认");
    declare(capital, "capital", "初始资金");
    declare(tradeType, "trade-type", "交易类型");
    declare(remark, "remark", "备    注");
    name.maxGbkBytes = kAccountNameMaxBytes;
    password.maxGbkBytes = kPasswordMaxBytes;
    password.masked = true;
    confirmation.maxGbkBytes = kPasswordMaxBytes;
    confirmation.masked = true;
    capital.text = std::string("0");  // (a plain literal trips a false -Wrestrict in g++ 12)
    capital.maxChars = kNumberBoxChars;
    capital.required = true;
    tradeType.items = tradeTypeTexts();
    tradeType.selected = 0;
    remark.maxGbkBytes = kAccountRemarkMaxBytes;
    remark.multiLine = true;
    setTabOrder({&name, &password, &confirmation, &capital, &tradeType, &remark});
}

bool NewAccountDialog::OnConfirm() {
    const auto value = readNumber(capital);
    if (!value) return false;
    initialCapital_ = *value;

    if (name.text.empty()) {
        messages().error("帐户名不能为空!请重新输入帐户名.");
        return false;
    }
    // Passwords compare as the bytes they are stored as.
    if (password.text != confirmation.text) {
        messages().error("两次输入的密码不一样!请重新输入密码.");
        return false;
    }
    if (password.text.empty()) {
        messages().error("密码不能为空!请重新输入密码.");
        return false;
    }
    if (initialCapital_ <= 0) {
        messages().error("投入资金数额不能小于等于零!请重新输入投入资金数额.");
        return false;
    }
    // The name becomes a file in the data directory and every text a fixed-width GBK
    // field: refuse here what could not be stored, before anything is written.
    if (!checkStorable(name, name.label)) return false;
    if (!isPlainFileName(name.text)) {
        messages().error(unsafeNameMessage(name.text));
        focusOn(name);
        return false;
    }
    if (!checkStorable(password, password.label)) return false;
    return checkStorable(remark, "备注");
}

}  // namespace fiscora::ui
