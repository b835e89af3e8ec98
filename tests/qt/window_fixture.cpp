#include "window_fixture.h"

#include <QTreeWidget>

#include "engine/dates.h"
#include "host/module_state.h"
#include "qt/account/password_view.h"
#include "qt/main/main_window_view.h"
#include "qt/widgets/hover_button.h"
#include "store/quote_snapshot_file.h"
#include "tools/demo/demo_workspace.h"
#include "tools/demo/modal_driver.h"

namespace fiscora::test {

SampleWorkspace::SampleWorkspace() {
    RecordingMessages messages;
    if (!demo::writeDemoWorkspace(dir_.path(), today(), messages))
        qFatal("cannot write the sample workspace");
    cwd_ = std::make_unique<ScopedCurrentDirectory>(dir_.path());
    setPrivateInvestDir((dir_.path() + "invest/").c_str());
    std::string error;
    if (!loadQuoteSnapshot(quotes_, dir_.path() + demo::kQuotesFileName, error))
        qFatal("%s", error.c_str());
    quotes_.install();
}

SampleWorkspace::~SampleWorkspace() {
    QuoteSnapshot::uninstall();
}

void logInToDemo(qt::MainWindowView& window) {
    demo::onNextModal(
        [](QDialog* dialog) {
            auto* view = dynamic_cast<qt::PasswordView*>(dialog);
            QVERIFY(view != nullptr);
            typeText(view->widgetOf<QLineEdit>("password"), QString::fromUtf8(demo::kDemoPassword));
            view->okButton()->click();
        },
        &window);
    const QRect item = window.accountTree()->visualItemRect(window.accountTree()->topLevelItem(0));
    QTest::mouseClick(window.accountTree()->viewport(), Qt::LeftButton, {}, item.center());
}

void loginWith(const QString& password, QWidget* except) {
    demo::onNextModal(
        [password](QDialog* dialog) {
            auto* view = dynamic_cast<qt::PasswordView*>(dialog);
            QVERIFY(view != nullptr);
            retype(view->widgetOf<QLineEdit>("password"), password);
            view->okButton()->click();
        },
        except);
}

}  // namespace fiscora::test
