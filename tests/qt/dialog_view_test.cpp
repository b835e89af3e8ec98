#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "qt/widgets/dialog_view.h"
#include "qt_test_registry.h"
#include "support/temp_dir.h"
#include "tools/demo/modal_driver.h"
#include "window_fixture.h"

namespace {

// A code box that keeps the focus until it holds six characters, as the stock dialogs'
// code boxes do.
class CodeModel : public fiscora::ui::DialogModel {
public:
    explicit CodeModel(fiscora::Messages& messages) : DialogModel(messages) {
        setCaption("代码");
        setTabOrder({&code, &quantity});
        onChange(code, [this] { ++edits; });
    }

    fiscora::ui::TextField code;
    fiscora::ui::TextField quantity;
    int edits = 0;

protected:
    void OnFocusMoved(const fiscora::ui::Field& from, const fiscora::ui::Field*) override {
        if (&from == &code && code.text.size() != 6) focusOn(code);
    }
};

class CodeView : public fiscora::qt::DialogView {
public:
    CodeView(CodeModel& model)
        : DialogView(model, nullptr), code(lineEdit(model.code)),
          quantity(lineEdit(model.quantity)) {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(code);
        layout->addWidget(quantity);
    }

    QLineEdit* code;
    QLineEdit* quantity;
};

}  // namespace

class DialogViewTest : public QObject {
    Q_OBJECT

private slots:
    void modelMayTakeTheFocusBackWhenTheUserLeavesABox() {
        fiscora::test::RecordingMessages messages;
        CodeModel model(messages);
        CodeView view(model);
        fiscora::demo::onNextModal([&](QDialog*) {
            fiscora::test::typeText(view.code, QStringLiteral("600"));
            QCOMPARE(model.edits, 3);
            view.quantity->setFocus(Qt::TabFocusReason);
            QCOMPARE(QApplication::focusWidget(), view.code);
            QCOMPARE(view.code->selectedText(), QStringLiteral("600"));
            fiscora::test::typeText(view.code, QStringLiteral("600036"));
            view.quantity->setFocus(Qt::TabFocusReason);
            QCOMPARE(QApplication::focusWidget(), view.quantity);
            view.reject();
        });
        QVERIFY(!view.runModal());
        QCOMPARE(model.code.text, std::string("600036"));
    }

    void captionComesFromTheModel() {
        fiscora::test::RecordingMessages messages;
        CodeModel model(messages);
        CodeView view(model);
        fiscora::demo::onNextModal([&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("代码"));
            view.reject();
        });
        view.runModal();
    }
};

FISCORA_QT_TEST(DialogViewTest)
#include "dialog_view_test.moc"
