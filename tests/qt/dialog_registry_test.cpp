#include <QTest>
#include <set>
#include <stdexcept>
#include <typeindex>

#include "qt/main/dialog_views.h"
#include "qt_test_registry.h"
#include "support/temp_dir.h"
#include "ui/common/headless_runner.h"
#include "ui/main/dialog_fillers.h"

namespace {

class Unregistered : public fiscora::ui::DialogModel {
public:
    using DialogModel::DialogModel;
};

std::set<std::type_index> asSet(const std::vector<std::type_index>& types) {
    return {types.begin(), types.end()};
}

}  // namespace

class DialogRegistryTest : public QObject {
    Q_OBJECT

private slots:
    void everyDialogHasAWindowAndAHeadlessFiller() {
        const auto views = asSet(fiscora::qt::dialogViews().types());
        QVERIFY(!views.empty());
        QCOMPARE(views, asSet(fiscora::ui::dialogFillers().types()));
    }

    void aDialogNobodyRegisteredFailsLoudly() {
        fiscora::test::RecordingMessages messages;
        Unregistered dialog(messages);
        QVERIFY_THROWS_EXCEPTION(std::logic_error, fiscora::qt::dialogViews().run(dialog, nullptr));
        fiscora::ui::HeadlessRunner headless(fiscora::ui::dialogFillers());
        headless.enter({});
        QVERIFY_THROWS_EXCEPTION(std::logic_error, headless.run(dialog));
    }
};

FISCORA_QT_TEST(DialogRegistryTest)
#include "dialog_registry_test.moc"
