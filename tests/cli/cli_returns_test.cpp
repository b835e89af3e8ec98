#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/cli_app.h"
#include "cli/cli_runner.h"
#include "cli/golden.h"
#include "cli/sample_data.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

// `returns` on the sample tree (张三: 100000 in on 2 January 2024, 600036 and 000002 bought,
// part of 600036 sold on the 10th; bars up to the 11th), in this process on a fixed day.
class CliReturns : public ::testing::Test {
protected:
    void SetUp() override {
        writeSampleData(root.path());
        std::ofstream(secrets.file("pw"), std::ios::binary) << "secret";
    }

    CliRun run(std::vector<std::string> args) {
        args.insert(args.begin(),
                    {"--data", root.file("invest/"), "--quotes", root.file("quotes.txt"),
                     "--host-dir", root.path(), "--password-file", secrets.file("pw")});
        cli::CliServices services;
        services.today = [] { return 20240112; };
        std::ostringstream out;
        std::ostringstream err;
        CliRun r;
        r.exitCode = cli::runCli(args, out, err, services);
        r.out = out.str();
        r.err = err.str();
        return r;
    }

    TempDir root;
    TempDir secrets;
};

TEST_F(CliReturns, TheWholeHistoryAPeriodByYearAPositionAndABenchmark) {
    expectGolden(run({"returns", "张三"}), "returns.tsv");
    expectGolden(run({"returns", "张三", "--from", "20240103", "--to", "20240111", "--by", "year",
                      "--benchmark", "600036", "--benchmark-market", "上海"}),
                 "returns_by_year_benchmark.tsv");
    // The market is found from the ledger when not given.
    const CliRun stock = run({"--format", "json", "returns", "张三", "--stock", "600036"});
    expectGolden(stock, "returns_600036.json");
    EXPECT_EQ(
        run({"--format", "json", "returns", "张三", "--stock", "600036", "--market", "上海"}).out,
        stock.out);
}

TEST_F(CliReturns, RefusesWhatItCannotMeasure) {
    const auto refused = [&](std::vector<std::string> args, const std::string& message) {
        const CliRun r = run(std::move(args));
        EXPECT_NE(r.exitCode, 0) << message;
        EXPECT_TRUE(r.out.empty()) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    };
    refused({"returns", "张三", "--by", "month"}, "--by takes year or trailing");
    refused({"returns", "张三", "--from", "20240110", "--to", "20240102"},
            "--from comes after --to");
    refused({"returns", "张三", "--from", "20240230"}, "--from takes a day as YYYYMMDD");
    refused({"returns", "张三", "--benchmark", "000001"}, "--benchmark needs --benchmark-market");
    refused({"returns", "张三", "--market", "上海"}, "--market goes with --stock");
    refused({"returns", "张三", "--stock", "600000"}, "张三 has no records to measure of 600000");
    refused({"returns", "张三", "--to", "20231231"}, "张三 has no records to measure");
}

}  // namespace
}  // namespace fiscora::test
