#include <QTest>

#include "engine/holdings.h"
#include "engine/workspace.h"
#include "qt_test_registry.h"
#include "records/gbk_text.h"
#include "store/day_bar_file.h"
#include "support/temp_dir.h"
#include "tools/demo/demo_workspace.h"
#include "window_fixture.h"

// The sample workspace must be what a user could have built: readable with the passwords
// the README gives, never short of cash, with bars up to the quotes' previous close.
class SampleDataTest : public QObject {
    Q_OBJECT

private slots:
    void accountsOpenWithTheirPasswordsAndNeverOverdraw() {
        fiscora::test::SampleWorkspace sample;
        fiscora::test::RecordingMessages messages;
        fiscora::Workspace workspace(messages, fiscora::OpenMode::ReadOnly);
        workspace.open(sample.folder() + "invest/", sample.folder() + "trdpara.dat");
        QCOMPARE(workspace.accounts.size(), std::size_t(2));
        QVERIFY(workspace.tradeParams.size() >= 8);
        for (const auto& account : workspace.accounts) {
            QCOMPARE(workspace.loadLedgerOf(account), fiscora::LedgerStatus::Ok);
            QVERIFY(workspace.ledger.size() >= 5);
            QVERIFY(!workspace.holdings.empty());
            double cash = 0;
            for (const auto& record : workspace.ledger) {
                cash += record.cashSign * record.amount;
                QVERIFY2(cash >= 0,
                         qPrintable(QString::fromStdString(fiscora::fieldText(account.name))));
            }
            for (const auto& holding : workspace.holdings) QVERIFY(holding.heldQty() > 0);
        }
        QVERIFY(messages.shown.empty());
    }

    void barsEndAtThePreviousCloseInEachCodesUnits() {
        fiscora::test::SampleWorkspace sample;
        struct Expect {
            const char* code;
            std::int32_t market;
            std::uint32_t close;
        } expected[] = {{"600036", 1, 3518}, {"000858", 0, 14095}, {"900901", 1, 409}};
        for (const auto& e : expected) {
            const auto bytes =
                fiscora::test::readBytes(fiscora::dayBarPath(sample.folder(), e.market, e.code));
            QVERIFY(bytes.size() >= 250 * sizeof(fiscora::DayBar));
            QCOMPARE(bytes.size() % sizeof(fiscora::DayBar), std::size_t(0));
            fiscora::DayBar last{};
            std::memcpy(&last, bytes.data() + bytes.size() - sizeof last, sizeof last);
            QCOMPARE(last.prices[3], e.close);
            fiscora::DayBar found{};
            QVERIFY(fiscora::readDayBarFrom(sample.folder(), last.date, e.market, e.code, found));
            QVERIFY(found.prices[1] >= found.prices[2]);
        }
    }
};

FISCORA_QT_TEST(SampleDataTest)
#include "sample_data_test.moc"
