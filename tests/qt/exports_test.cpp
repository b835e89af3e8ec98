#include <dlfcn.h>

#include <QDialog>
#include <QTest>

#include "qt_test_registry.h"
#include "support/temp_dir.h"
#include "tools/demo/modal_driver.h"

// The library as a host sees it: loaded with dlopen, driven through its three entry points
// only, using the host's application object.
class ExportsTest : public QObject {
    Q_OBJECT

private slots:
    void hostOpensTheWindowOnItsOwnDataDirectory() {
        void* library = dlopen(FISCORA_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
        QVERIFY2(library != nullptr, dlerror());
        auto popup = reinterpret_cast<void (*)()>(dlsym(library, "PopupInvestDlg"));
        auto setDirectory =
            reinterpret_cast<void (*)(char*)>(dlsym(library, "SetPrivateInvestDir"));
        auto registerQuotes =
            reinterpret_cast<void (*)(void*)>(dlsym(library, "RegisterInvestGPInfoHq"));
        QVERIFY(popup != nullptr && setDirectory != nullptr && registerQuotes != nullptr);

        fiscora::test::TempDir dir;
        fiscora::test::ScopedCurrentDirectory cwd(dir.path());
        std::string data = dir.path() + "host-data/";
        setDirectory(data.data());
        registerQuotes(nullptr);
        QString caption;
        fiscora::demo::onNextModal([&](QDialog* window) {
            caption = window->windowTitle();
            window->close();
        });
        popup();

        QCOMPARE(caption, QStringLiteral("Fiscora"));
        // The window created the host's folder and its empty registry there; the fee table
        // is only read, and so not created, until the user saves one.
        QVERIFY(fiscora::test::fileExists(data + "pinfo.dat"));
        QVERIFY(!fiscora::test::fileExists(dir.path() + "trdpara.dat"));
        dlclose(library);
    }
};

FISCORA_QT_TEST(ExportsTest)
#include "exports_test.moc"
