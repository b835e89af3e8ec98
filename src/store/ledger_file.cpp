#include "store/ledger_file.h"

#include <cstring>

#include "store/gbk_text.h"

namespace fiscora {
namespace {

constexpr std::size_t kSlot = sizeof(LedgerRecord);
constexpr std::size_t kHeaderPasswordBytes = 21;

std::string openFailure(const std::string& path) { return "不能打开文件" + path + ".不能完成操作"; }
std::string damaged(const std::string& path) { return "文件" + path + "已经被损坏,不能对此帐户进行操作"; }
std::string tampered(const AccountInfo& a) {
    return "记录" + fieldText(a.name) + "个人资料的文件已经被非法篡改，不能读取资料";
}

// The header's password as a string bounded to its 21 bytes.
std::string_view headerPassword(const Bytes& bytes) {
    const char* p = reinterpret_cast<const char*>(bytes.data());
    return {p, ::strnlen(p, kHeaderPasswordBytes)};
}

LedgerRecord headerSlot(std::string_view password) {
    LedgerRecord header;
    std::memcpy(&header, password.data(), std::min(password.size(), kHeaderPasswordBytes - 1));
    return header;
}

void appendSlot(Bytes& bytes, const LedgerRecord& r) {
    const auto* p = reinterpret_cast<const unsigned char*>(&r);
    bytes.insert(bytes.end(), p, p + kSlot);
}

// Opens the file as the store says, refusing names that would leave the data directory.
LedgerStatus readFile(const LedgerStore& store, const AccountInfo& account, Bytes& bytes,
                      std::string& path) {
    const std::string name = fieldText(account.name);
    if (!isPlainFileName(name)) {
        store.messages.plain(unsafeNameMessage(name));
        return LedgerStatus::UnsafeName;
    }
    path = ledgerPath(store.dataDirectory, account);
    ReadResult file = readWholeFile(path, store.mode);
    if (file.status == ReadStatus::Missing) {
        store.messages.plain(openFailure(path));
        return LedgerStatus::Missing;
    }
    if (file.status == ReadStatus::CannotOpen) {
        store.messages.plain(openFailure(path));
        return LedgerStatus::CannotOpen;
    }
    bytes = std::move(file.bytes);
    return LedgerStatus::Ok;
}

}  // namespace

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

std::string unsafeNameMessage(std::string_view name) {
    return "帐户名称\"" + std::string(name) + "\"不能用作文件名,请不要使用\"/\"或只用\".\"";
}

std::string ledgerPath(const std::string& dataDirectory, const AccountInfo& account) {
    return dataDirectory + fieldText(account.name) + kLedgerSuffix;
}

LedgerStatus loadLedger(const LedgerStore& store, const AccountInfo& account, Ledger& ledger) {
    ledger.clear();
    Bytes bytes;
    std::string path;
    if (LedgerStatus s = readFile(store, account, bytes, path); s != LedgerStatus::Ok) return s;
    const std::size_t slots = bytes.size() / kSlot;
    if (slots == 0) {
        store.messages.plain(damaged(path));
        return LedgerStatus::Damaged;
    }
    bytes.resize(slots * kSlot);  // a trailing partial slot is ignored
    store.scrambler.decrypt(bytes.data(), bytes.size());
    if (headerPassword(bytes) != fieldBytes(account.password)) {
        store.messages.plain(tampered(account));
        return LedgerStatus::Tampered;
    }
    ledger.resize(slots - 1);
    std::memcpy(static_cast<void*>(ledger.data()), bytes.data() + kSlot, (slots - 1) * kSlot);
    return LedgerStatus::Ok;
}

bool saveLedger(const LedgerStore& store, const AccountInfo& account, const Ledger& ledger) {
    Bytes bytes;
    std::string path;
    if (readFile(store, account, bytes, path) != LedgerStatus::Ok) return false;
    // A file shorter than its header slot has no password to check against.
    if (bytes.size() < kSlot) {
        store.messages.plain(damaged(path));
        return false;
    }
    // A length that is not a multiple of 8 stays as read, and its header then fails.
    store.scrambler.decrypt(bytes.data(), bytes.size());
    if (headerPassword(bytes) != fieldBytes(account.password)) {
        store.messages.plain(tampered(account));
        return false;
    }
    Bytes out;
    out.reserve((ledger.size() + 1) * kSlot);
    appendSlot(out, headerSlot(headerPassword(bytes)));
    for (const auto& r : ledger) appendSlot(out, r);
    store.scrambler.encrypt(out.data(), out.size());
    if (!replaceFile(path, out)) {
        store.messages.plain(openFailure(path));
        return false;
    }
    return true;
}

bool writeLedgerHeader(const LedgerStore& store, const AccountInfo& account, std::string_view gbkPassword) {
    Bytes bytes;
    std::string path;
    if (readFile(store, account, bytes, path) != LedgerStatus::Ok) return false;
    Bytes header;
    appendSlot(header, headerSlot(gbkPassword));
    store.scrambler.encrypt(header.data(), header.size());
    // The first 200 bytes are overwritten; everything after them stays as it was.
    if (bytes.size() < kSlot) bytes.resize(kSlot);
    std::copy(header.begin(), header.end(), bytes.begin());
    if (!replaceFile(path, bytes)) {
        store.messages.plain(openFailure(path));
        return false;
    }
    return true;
}

}  // namespace fiscora
