#pragma once

#include <sys/stat.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/module_state.h"
#include "records/gbk_text.h"
#include "scripted_runner.h"
#include "store/account_registry.h"
#include "store/ledger_file.h"
#include "support/builders.h"
#include "support/temp_dir.h"
#include "ui/account/account_commands.h"
#include "ui/account/new_account_dialog.h"
#include "ui/account/password_dialog.h"
#include "ui/main/main_window_model.h"

namespace fiscora::test {

// A main window over a fresh data directory, its dialogs answered by a script.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() : cwd_(dir.path()) {
        setPrivateInvestDir(dataDir().c_str());
        scrambler.setFileKey();
    }

    std::string dataDir() const { return dir.path() + "invest/"; }
    std::string ledgerFile(const std::string& name) const { return dataDir() + name + ".da0"; }
    LedgerStore store() { return {dataDir(), scrambler, fileMessages}; }

    // Accounts registered, each with its ledger file, before the window opens.
    void seed(const AccountList& accounts, const std::vector<Ledger>& ledgers = {}) {
        ::mkdir(dataDir().c_str(), 0755);
        ASSERT_TRUE(saveRegistry(dataDir(), accounts, scrambler, fileMessages));
        for (std::size_t i = 0; i < accounts.size(); ++i) {
            const AccountInfo& a = accounts[i];
            ASSERT_TRUE(writeLedgerHeader(store(), a, fieldBytes(a.password)));
            ASSERT_TRUE(saveLedger(store(), a, i < ledgers.size() ? ledgers[i] : Ledger{}));
        }
    }
    void open() {
        window.OnInitDialog();
        messages.shown.clear();
    }
    AccountList registryOnDisk() { return loadRegistry(dataDir(), scrambler, fileMessages); }

    // Clicks the item and enters the password.
    void login(int index, const std::string& password) {
        runner.then<ui::PasswordDialog>([password](ui::PasswordDialog& d) {
            d.password.text = password;
            return true;
        });
        window.OnTreeClick(index);
    }

    std::vector<std::string> treeTexts() const {
        std::vector<std::string> out;
        for (const auto& item : window.tree()) out.push_back(item.text);
        return out;
    }
    std::vector<int> treeImages() const {
        std::vector<int> out;
        for (const auto& item : window.tree()) out.push_back(item.image);
        return out;
    }

    TempDir dir;
    DataScrambler scrambler;
    RecordingMessages fileMessages;  // what the test's own file handling reports
    RecordingMessages messages;
    ScriptedRunner runner;
    ui::MainWindowModel window{messages, runner};

private:
    ScopedCurrentDirectory cwd_;
};

// Fills a new-account dialog as the user would.
inline std::function<bool(ui::NewAccountDialog&)>
enterAccount(std::string name, std::string password, std::string capital, int tradeType = 0,
             std::string remark = {}) {
    return [=](ui::NewAccountDialog& d) {
        d.name.text = name;
        d.password.text = password;
        d.confirmation.text = password;
        d.capital.text = capital;
        d.tradeType.selected = tradeType;
        d.remark.text = remark;
        return true;
    };
}

}  // namespace fiscora::test
