#include <gtest/gtest.h>

#include <sodium.h>

#include <algorithm>
#include <cstring>

#include "store/protected_ledger.h"
#include "support/builders.h"
#include "support/temp_dir.h"

namespace fiscora {
namespace {

// The least costs Argon2id takes: the format is the same, the tests stay quick.
constexpr KeyCosts kQuick{1, 8192};

Ledger recordsNumbered(std::size_t count) {
    Ledger ledger;
    for (std::size_t i = 0; i < count; ++i)
        ledger.push_back(test::cashRecord(RecordType::CashIn, 20240101, static_cast<double>(i)));
    return ledger;
}

class ProtectedLedger : public ::testing::Test {
protected:
    void write(const Ledger& ledger) {
        ASSERT_TRUE(replaceFileWith(path, [&](const ByteSink& sink) {
            return writeProtectedLedger(sink, key, ledger.data(), ledger.size());
        }));
    }

    // What the file gives with the password: the key's status, and the body's when the key
    // opened it, the records read in `out`.
    std::pair<KeyStatus, BodyStatus> read(const std::string& password, Ledger& out) {
        out.clear();
        FileReader file;
        EXPECT_EQ(file.open(path, OpenMode::ReadOnly), ReadStatus::Ok);
        LedgerKey opened;
        const KeyStatus status = unlockLedger(file, password, opened);
        if (status != KeyStatus::Ok) return {status, BodyStatus::Tampered};
        return {status,
                readProtectedRecords(file, opened, [&](const LedgerRecord* r, std::size_t n) {
                    out.insert(out.end(), r, r + n);
                })};
    }

    // True when the file, as it is now, is refused with the right password.
    bool refused() {
        Ledger out;
        const auto [keyStatus, bodyStatus] = read("密码", out);
        return keyStatus != KeyStatus::Ok || bodyStatus != BodyStatus::Ok;
    }

    test::TempDir dir;
    std::string path = dir.file("A.da0");
    LedgerKey key = newLedgerKey("密码", kQuick).value();
};

TEST_F(ProtectedLedger, GivesBackEveryRecordByteForByteWhateverTheCount) {
    // Empty, one short chunk, exactly one full chunk, a full one and one record more.
    for (const std::size_t count : {0u, 3u, 4096u, 4097u}) {
        SCOPED_TRACE(count);
        const Ledger written = recordsNumbered(count);
        write(written);
        Ledger back;
        EXPECT_EQ(read("密码", back), std::make_pair(KeyStatus::Ok, BodyStatus::Ok));
        ASSERT_EQ(back.size(), written.size());
        if (!written.empty()) {  // memcmp must not be handed an empty vector's null data()
            EXPECT_EQ(
                std::memcmp(back.data(), written.data(), written.size() * sizeof(LedgerRecord)), 0);
        }
    }
}

TEST_F(ProtectedLedger, AWrongPasswordReadsNothing) {
    write(recordsNumbered(3));
    Ledger back;
    for (const char* wrong : {"", "密", "密码 ", "mima"}) {
        EXPECT_EQ(read(wrong, back).first, KeyStatus::WrongPassword) << wrong;
        EXPECT_TRUE(back.empty());
    }
}

TEST_F(ProtectedLedger, KeepsNoRecordBytesOrPasswordInTheClear) {
    Ledger ledger = recordsNumbered(2);
    std::strcpy(ledger[1].remark, "REMARK-IN-THE-CLEAR");
    write(ledger);
    const Bytes bytes = test::readBytes(path);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.find("REMARK-IN-THE-CLEAR"), std::string::npos);
    EXPECT_EQ(text.find("密码"), std::string::npos);
}

// Every byte of a small file flipped in turn, each refused; the structure of a large one
// (a flipped byte in every part of every chunk, a chunk cut off, swapped, or added).
TEST_F(ProtectedLedger, RefusesAFileWithAnyByteChanged) {
    write(recordsNumbered(3));
    const Bytes good = test::readBytes(path);
    for (std::size_t at = 0; at < good.size(); ++at) {
        Bytes bad = good;
        bad[at] ^= 0x01;
        test::writeBytes(path, bad);
        ASSERT_TRUE(refused()) << "byte " << at;
    }
    for (const std::size_t cut : {1u, 200u, 216u}) {
        test::writeBytes(path, Bytes(good.begin(), good.end() - static_cast<long>(cut)));
        EXPECT_TRUE(refused()) << "cut " << cut;
    }
    Bytes longer = good;
    longer.insert(longer.end(), 200, 0);
    test::writeBytes(path, longer);
    EXPECT_TRUE(refused());
}

TEST_F(ProtectedLedger, RefusesChunksCutSwappedOrMixedFromAnotherVersion) {
    const std::size_t header = kProtectedHeaderBytes;
    const std::size_t chunk = 24 + 4096 * sizeof(LedgerRecord) + 16;
    write(recordsNumbered(3 * 4096));
    const Bytes good = test::readBytes(path);
    ASSERT_EQ(good.size(), header + 3 * chunk);
    for (std::size_t c = 0; c < 3; ++c) {
        for (const std::size_t within :
             {std::size_t{0}, std::size_t{23}, std::size_t{24}, chunk / 2, chunk - 17, chunk - 1}) {
            Bytes bad = good;
            bad[header + c * chunk + within] ^= 0x80;
            test::writeBytes(path, bad);
            EXPECT_TRUE(refused()) << "chunk " << c << " byte " << within;
        }
    }
    test::writeBytes(path, Bytes(good.begin(), good.end() - static_cast<long>(chunk)));
    EXPECT_TRUE(refused()) << "last chunk cut off";
    Bytes swapped = good;
    std::copy(good.begin() + header, good.begin() + header + chunk,
              swapped.begin() + header + chunk);
    std::copy(good.begin() + header + chunk, good.begin() + header + 2 * chunk,
              swapped.begin() + header);
    test::writeBytes(path, swapped);
    EXPECT_TRUE(refused()) << "chunks swapped";
    // The same key writes the same records again with fresh nonces: a chunk of one version
    // in the other is found.
    write(recordsNumbered(3 * 4096));
    Bytes mixed = test::readBytes(path);
    std::copy(good.begin() + header, good.begin() + header + chunk, mixed.begin() + header);
    test::writeBytes(path, mixed);
    EXPECT_TRUE(refused()) << "a chunk of an older version";
}

// A booking copies the chunks the previous file holds unchanged instead of enciphering them
// again; the file still reads whole, and the last chunk is always new.
TEST_F(ProtectedLedger, ARewriteCopiesTheChunksTheFileStillHolds) {
    const std::size_t header = kProtectedHeaderBytes;
    const std::size_t chunk = 24 + 4096 * sizeof(LedgerRecord) + 16;
    Ledger ledger = recordsNumbered(3 * 4096);
    write(ledger);
    const Bytes before = test::readBytes(path);
    ledger.push_back(test::cashRecord(RecordType::CashOut, 20240105, 1));
    ledger[4096].fee = 1;  // chunk 1 changed
    FileReader previous;
    ASSERT_EQ(previous.open(path, OpenMode::ReadOnly), ReadStatus::Ok);
    const ProtectedCopySource source{previous, [](std::size_t c) { return c != 1; }};
    ASSERT_TRUE(replaceFileWith(path, [&](const ByteSink& sink) {
        return writeProtectedLedger(sink, key, ledger.data(), ledger.size(), &source);
    }));
    const Bytes after = test::readBytes(path);
    ASSERT_EQ(after.size(), header + 3 * chunk + 24 + sizeof(LedgerRecord) + 16);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + static_cast<long>(header + chunk),
                           after.begin()));
    EXPECT_FALSE(std::equal(before.begin() + static_cast<long>(header + chunk),
                            before.begin() + static_cast<long>(header + 2 * chunk),
                            after.begin() + static_cast<long>(header + chunk)));
    Ledger back;
    ASSERT_EQ(read("密码", back), std::make_pair(KeyStatus::Ok, BodyStatus::Ok));
    ASSERT_EQ(back.size(), ledger.size());
    EXPECT_EQ(std::memcmp(back.data(), ledger.data(), ledger.size() * sizeof(LedgerRecord)), 0);
}

TEST_F(ProtectedLedger, RefusesAHeaderAskingForCostsBeyondOurs) {
    // A hostile header may not make the reader allocate gigabytes: it is damaged, checked
    // before any derivation (the header's own sum is recomputed so only the costs differ).
    write(recordsNumbered(1));
    Bytes bytes = test::readBytes(path);
    bytes[24 + 4] = 0x01;  // memlimit of 2^32 + 8192 bytes
    crypto_generichash(bytes.data() + 80, 16, bytes.data(), 80, nullptr, 0);
    test::writeBytes(path, bytes);
    FileReader file;
    ASSERT_EQ(file.open(path, OpenMode::ReadOnly), ReadStatus::Ok);
    LedgerKey opened;
    EXPECT_EQ(unlockLedger(file, "密码", opened), KeyStatus::Damaged);
}

}  // namespace
}  // namespace fiscora
