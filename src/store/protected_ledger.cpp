#include "store/protected_ledger.h"

#include <sodium.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace fiscora {
namespace {

constexpr std::array<unsigned char, 8> kMagic{'F', 'S', 'P', 'R', 'O', 'T', 'L', 'G'};
constexpr std::uint32_t kVersion = 1;
constexpr std::uint32_t kChunkRecords = 4096;
constexpr std::size_t kSlot = sizeof(LedgerRecord);
constexpr std::size_t kNonce = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr std::size_t kTag = crypto_aead_xchacha20poly1305_ietf_ABYTES;
constexpr std::size_t kFullChunk = kNonce + kChunkRecords * kSlot + kTag;

// Offsets in the header.
constexpr std::size_t kCostsAt = 16;
constexpr std::size_t kSaltAt = 32;
constexpr std::size_t kKeyCheckAt = 48;
constexpr std::size_t kHeaderSumAt = 80;
constexpr std::size_t kSaltBytes = crypto_pwhash_SALTBYTES;
static_assert(kSaltBytes == 16);

// The costs a file may ask for: this program never writes more, so a header asking for
// more (a hostile file wanting gigabytes) is damaged, not obeyed.
constexpr std::uint64_t kMaxOpslimit = 16;
constexpr std::uint64_t kMaxMemlimit = std::uint64_t{1} << 30;

void putLe(unsigned char* at, std::uint64_t value, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint64_t getLe(const unsigned char* at, std::size_t bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes; i-- > 0;) value = (value << 8) | at[i];
    return value;
}

bool sodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

void headerSum(const ProtectedHeader& header, unsigned char* out) {
    crypto_generichash(out, 16, header.data(), kHeaderSumAt, nullptr, 0);
}

void keyCheck(const ProtectedHeader& header, const unsigned char* key, unsigned char* out) {
    crypto_generichash(out, 32, header.data(), kKeyCheckAt, key, 32);
}

bool deriveKey(const ProtectedHeader& header, std::string_view password, unsigned char* key) {
    return crypto_pwhash(key, 32, password.data(), password.size(), header.data() + kSaltAt,
                         getLe(header.data() + kCostsAt, 8), getLe(header.data() + kCostsAt + 8, 8),
                         crypto_pwhash_ALG_ARGON2ID13) == 0;
}

// The number of chunks of a body of `bytes`, when they make whole chunks: every chunk but
// the last full, the last at least a nonce and a tag and whole record slots.
std::optional<std::size_t> chunkCount(std::size_t bytes) {
    if (bytes < kNonce + kTag) return std::nullopt;
    const std::size_t count = (bytes + kFullChunk - 1) / kFullChunk;
    const std::size_t last = bytes - (count - 1) * kFullChunk;
    if (last < kNonce + kTag || (last - kNonce - kTag) % kSlot != 0) return std::nullopt;
    return count;
}

// What a chunk authenticates besides its own bytes.
struct ChunkContext {
    const ProtectedHeader& header;
    crypto_generichash_state tags{};  // of every chunk's tag so far

    explicit ChunkContext(const ProtectedHeader& h) : header(h) {
        crypto_generichash_init(&tags, nullptr, 0, 32);
    }

    std::array<unsigned char, kProtectedHeaderBytes + 9 + 32> data{};
    // The associated data of chunk `index`, its length in `length`.
    const unsigned char* of(std::size_t index, bool last, std::size_t& length) {
        std::copy(header.begin(), header.end(), data.begin());
        putLe(data.data() + kProtectedHeaderBytes, index, 8);
        data[kProtectedHeaderBytes + 8] = last ? 1 : 0;
        length = kProtectedHeaderBytes + 9;
        if (last) {
            crypto_generichash_state copy = tags;
            crypto_generichash_final(&copy, data.data() + length, 32);
            length += 32;
        }
        return data.data();
    }
    void addTag(const unsigned char* tag) { crypto_generichash_update(&tags, tag, kTag); }
};

}  // namespace

LedgerKey::~LedgerKey() {
    sodium_memzero(key.data(), key.size());
}

KeyCosts defaultKeyCosts() {
    return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

bool isProtectedLedger(const FileReader& file) {
    std::array<unsigned char, kMagic.size()> start{};
    return file.size() >= start.size() && file.readAt(0, start.data(), start.size()) &&
           start == kMagic;
}

bool isProtectedLedger(const unsigned char* bytes, std::size_t size) {
    return size >= kMagic.size() && std::equal(kMagic.begin(), kMagic.end(), bytes);
}

std::optional<std::size_t> protectedRecordCount(std::uint64_t fileBytes) {
    if (fileBytes < kProtectedHeaderBytes) return std::nullopt;
    const std::size_t body = static_cast<std::size_t>(fileBytes - kProtectedHeaderBytes);
    const auto chunks = chunkCount(body);
    if (!chunks) return std::nullopt;
    return (body - *chunks * (kNonce + kTag)) / kSlot;
}

KeyStatus unlockLedger(const FileReader& file, std::string_view password, LedgerKey& key) {
    if (!sodiumReady() || file.size() < kProtectedHeaderBytes ||
        !file.readAt(0, key.header.data(), kProtectedHeaderBytes))
        return KeyStatus::Damaged;
    const ProtectedHeader& h = key.header;
    std::array<unsigned char, 16> sum{};
    headerSum(h, sum.data());
    const std::uint64_t ops = getLe(h.data() + kCostsAt, 8);
    const std::uint64_t mem = getLe(h.data() + kCostsAt + 8, 8);
    if (!std::equal(kMagic.begin(), kMagic.end(), h.begin()) ||
        getLe(h.data() + 8, 4) != kVersion || getLe(h.data() + 12, 4) != kChunkRecords ||
        sodium_memcmp(sum.data(), h.data() + kHeaderSumAt, sum.size()) != 0 ||
        ops < crypto_pwhash_OPSLIMIT_MIN || ops > kMaxOpslimit ||
        mem < crypto_pwhash_MEMLIMIT_MIN || mem > kMaxMemlimit)
        return KeyStatus::Damaged;
    if (!deriveKey(h, password, key.key.data())) return KeyStatus::OutOfMemory;
    std::array<unsigned char, 32> check{};
    keyCheck(h, key.key.data(), check.data());
    if (sodium_memcmp(check.data(), h.data() + kKeyCheckAt, check.size()) != 0) {
        sodium_memzero(key.key.data(), key.key.size());
        return KeyStatus::WrongPassword;
    }
    return KeyStatus::Ok;
}

std::optional<LedgerKey> newLedgerKey(std::string_view password, KeyCosts costs) {
    if (!sodiumReady()) return std::nullopt;
    LedgerKey key;
    ProtectedHeader& h = key.header;
    std::copy(kMagic.begin(), kMagic.end(), h.begin());
    putLe(h.data() + 8, kVersion, 4);
    putLe(h.data() + 12, kChunkRecords, 4);
    putLe(h.data() + kCostsAt, costs.opslimit, 8);
    putLe(h.data() + kCostsAt + 8, costs.memlimit, 8);
    randombytes_buf(h.data() + kSaltAt, kSaltBytes);
    if (!deriveKey(h, password, key.key.data())) return std::nullopt;
    keyCheck(h, key.key.data(), h.data() + kKeyCheckAt);
    headerSum(h, h.data() + kHeaderSumAt);
    return key;
}

BodyStatus
readProtectedRecords(const FileReader& file, const LedgerKey& key,
                     const std::function<void(const LedgerRecord*, std::size_t)>& visit) {
    if (!sodiumReady() || file.size() < kProtectedHeaderBytes) return BodyStatus::Tampered;
    ProtectedHeader header{};
    if (!file.readAt(0, header.data(), header.size())) return BodyStatus::Unreadable;
    if (header != key.header) return BodyStatus::Tampered;
    const auto count = chunkCount(file.size() - kProtectedHeaderBytes);
    if (!count) return BodyStatus::Tampered;
    try {
        const std::size_t firstChunk = std::min(kFullChunk, file.size() - kProtectedHeaderBytes);
        Bytes sealed(firstChunk);
        Bytes plain(firstChunk);
        ChunkContext context(header);
        std::size_t at = kProtectedHeaderBytes;
        for (std::size_t i = 0; i < *count; ++i) {
            const bool last = i + 1 == *count;
            const std::size_t size = last ? file.size() - at : kFullChunk;
            if (!file.readAt(at, sealed.data(), size)) return BodyStatus::Unreadable;
            std::size_t adLength = 0;
            const unsigned char* ad = context.of(i, last, adLength);
            unsigned long long plainLength = 0;
            if (crypto_aead_xchacha20poly1305_ietf_decrypt(
                    plain.data(), &plainLength, nullptr, sealed.data() + kNonce, size - kNonce, ad,
                    adLength, sealed.data(), key.key.data()) != 0)
                return BodyStatus::Tampered;
            context.addTag(sealed.data() + size - kTag);
            visit(reinterpret_cast<const LedgerRecord*>(plain.data()), plainLength / kSlot);
            at += size;
        }
        sodium_memzero(plain.data(), plain.size());
    } catch (const std::bad_alloc&) {
        return BodyStatus::Unreadable;
    }
    return BodyStatus::Ok;
}

namespace {

// Seals chunk `index` of the ledger's records (the last one when `last`) into `sealed` and
// puts it; its tag is added to the context.
bool sealChunk(const ByteSink& sink, const LedgerKey& key, ChunkContext& context, Bytes& sealed,
               const LedgerRecord* records, std::size_t count, std::size_t index, bool last) {
    const std::size_t n = std::min<std::size_t>(kChunkRecords, count - index * kChunkRecords);
    const auto* plain = reinterpret_cast<const unsigned char*>(records + index * kChunkRecords);
    randombytes_buf(sealed.data(), kNonce);
    std::size_t adLength = 0;
    const unsigned char* ad = context.of(index, last, adLength);
    unsigned long long sealedLength = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(sealed.data() + kNonce, &sealedLength, plain,
                                               n * kSlot, ad, adLength, nullptr, sealed.data(),
                                               key.key.data());
    context.addTag(sealed.data() + kNonce + sealedLength - kTag);
    return sink.put(sealed.data(), kNonce + sealedLength);
}

std::size_t chunksFor(std::size_t count) {
    return std::max<std::size_t>(1, (count + kChunkRecords - 1) / kChunkRecords);
}

}  // namespace

bool writeProtectedLedger(const ByteSink& sink, const LedgerKey& key, const LedgerRecord* records,
                          std::size_t count, const ProtectedCopySource* previous) {
    if (!sodiumReady() || !sink.put(key.header.data(), key.header.size())) return false;
    const std::size_t chunks = chunksFor(count);
    // The previous file's full chunks before its last one.
    std::size_t copyable = 0;
    if (previous != nullptr && previous->file.size() >= kProtectedHeaderBytes) {
        if (const auto before = chunkCount(previous->file.size() - kProtectedHeaderBytes))
            copyable = *before - 1;
    }
    Bytes sealed(kNonce + std::min<std::size_t>(count, kChunkRecords) * kSlot + kTag);
    ChunkContext context(key.header);
    for (std::size_t i = 0; i < chunks; ++i) {
        const bool last = i + 1 == chunks;
        if (!last && i < copyable && previous->holds(i)) {
            const std::size_t at = kProtectedHeaderBytes + i * kFullChunk;
            std::array<unsigned char, kTag> tag{};
            if (previous->file.readAt(at + kFullChunk - kTag, tag.data(), tag.size()) &&
                sink.copyFrom(previous->file, at, kFullChunk)) {
                context.addTag(tag.data());
                continue;
            }
        }
        if (!sealChunk(sink, key, context, sealed, records, count, i, last)) return false;
    }
    return true;
}

std::optional<std::size_t> protectedLastChunkAt(std::uint64_t fileBytes) {
    if (fileBytes < kProtectedHeaderBytes) return std::nullopt;
    const auto chunks = chunkCount(static_cast<std::size_t>(fileBytes - kProtectedHeaderBytes));
    if (!chunks) return std::nullopt;
    return kProtectedHeaderBytes + (*chunks - 1) * kFullChunk;
}

bool writeProtectedTail(const ByteSink& sink, const LedgerKey& key, const FileReader& file,
                        const LedgerRecord* records, std::size_t count) {
    const auto lastAt = protectedLastChunkAt(file.size());
    if (!sodiumReady() || !lastAt) return false;
    const std::size_t kept = (*lastAt - kProtectedHeaderBytes) / kFullChunk;
    if (count < kept * kChunkRecords) return false;
    // The chunks before the old last one stay as they are: only their tags go into the new
    // last chunk's associated data.
    ChunkContext context(key.header);
    for (std::size_t i = 0; i < kept; ++i) {
        std::array<unsigned char, kTag> tag{};
        if (!file.readAt(kProtectedHeaderBytes + (i + 1) * kFullChunk - kTag, tag.data(),
                         tag.size()))
            return false;
        context.addTag(tag.data());
    }
    const std::size_t chunks = chunksFor(count);
    Bytes sealed(kFullChunk);
    for (std::size_t i = kept; i < chunks; ++i)
        if (!sealChunk(sink, key, context, sealed, records, count, i, i + 1 == chunks))
            return false;
    return true;
}

}  // namespace fiscora
