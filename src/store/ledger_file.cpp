#include "store/ledger_file.h"

#include <cstring>
#include <optional>

#include "records/gbk_text.h"

namespace fiscora {
namespace {

constexpr std::size_t kSlot = sizeof(LedgerRecord);
constexpr std::size_t kHeaderPasswordBytes = 21;

std::string openFailure(const std::string& path) {
    return "不能打开文件" + path + ".不能完成操作";
}
std::string damaged(const std::string& path) {
    return "文件" + path + "已经被损坏,不能对此帐户进行操作";
}
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

// The ledger file's path, or nothing (reported) when the name would leave the data
// directory.
std::optional<std::string> checkedPath(const LedgerStore& store, const AccountInfo& account) {
    const std::string name = fieldText(account.name);
    if (!isPlainFileName(name)) {
        store.messages.plain(unsafeNameMessage(name));
        return std::nullopt;
    }
    return ledgerPath(store.dataDirectory, account);
}

LedgerStatus openFailed(const LedgerStore& store, const std::string& path, ReadStatus status) {
    store.messages.plain(openFailure(path));
    return status == ReadStatus::Missing ? LedgerStatus::Missing : LedgerStatus::CannotOpen;
}

// The whole file as the store opens it; refusals are reported.
bool readFile(const LedgerStore& store, const AccountInfo& account, Bytes& bytes,
              std::string& path) {
    auto checked = checkedPath(store, account);
    if (!checked) return false;
    path = *checked;
    ReadResult file = readWholeFile(path, store.mode);
    if (file.status != ReadStatus::Ok) {
        openFailed(store, path, file.status);
        return false;
    }
    bytes = std::move(file.bytes);
    return true;
}

}  // namespace

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

std::string unsafeNameMessage(std::string_view name) {
    return "帐户名称\"" + std::string(name) + "\"不能用作文件名,请不要使用\"/\"或只用\".\"";
}

std::string ledgerPath(const std::string& dataDirectory, const AccountInfo& account) {
    return dataDirectory + fieldText(account.name) + kLedgerSuffix;
}

LedgerStatus loadLedger(const LedgerStore& store, const AccountInfo& account, Ledger& ledger) {
    ledger.clear();
    const auto checked = checkedPath(store, account);
    if (!checked) return LedgerStatus::UnsafeName;
    const std::string& path = *checked;
    FileReader file;
    if (const ReadStatus s = file.open(path, store.mode); s != ReadStatus::Ok)
        return openFailed(store, path, s);
    const std::size_t slots = file.size() / kSlot;  // a trailing partial slot is ignored
    Bytes header(kSlot);
    if (slots == 0 || !file.readAt(0, header.data(), kSlot)) {
        store.messages.plain(damaged(path));
        return LedgerStatus::Damaged;
    }
    // Blocks are enciphered independently, so the header and the records decipher apart.
    store.scrambler.decrypt(header.data(), kSlot);
    if (headerPassword(header) != fieldBytes(account.password)) {
        store.messages.plain(tampered(account));
        return LedgerStatus::Tampered;
    }
    // The records go straight into the ledger's own storage, kept from the last load.
    ledger.resize(slots - 1);
    if (!file.readAt(kSlot, ledger.data(), (slots - 1) * kSlot)) {
        ledger.clear();
        store.messages.plain(damaged(path));
        return LedgerStatus::Damaged;
    }
    store.scrambler.decrypt(ledger.data(), (slots - 1) * kSlot);
    return LedgerStatus::Ok;
}

bool saveLedger(const LedgerStore& store, const AccountInfo& account, const Ledger& ledger) {
    Bytes bytes;
    std::string path;
    if (!readFile(store, account, bytes, path)) return false;
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

bool writeLedgerHeader(const LedgerStore& store, const AccountInfo& account,
                       std::string_view gbkPassword) {
    Bytes bytes;
    std::string path;
    if (!readFile(store, account, bytes, path)) return false;
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
