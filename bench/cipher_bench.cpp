// DataScrambler::encrypt against OpenSSL's Blowfish over the same 1 MiB buffer with the
// same key and the same little-endian halves; compare the bytes_per_second of the two.
#include "store/data_scrambler.h"

#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/blowfish.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

std::vector<unsigned char> makeBuffer() {
    std::vector<unsigned char> buf(kBufferSize);
    for (std::size_t i = 0; i < buf.size(); ++i) buf[i] = static_cast<unsigned char>(i * 131 + 7);
    return buf;
}

void BM_ScramblerEncrypt(benchmark::State& state) {
    fiscora::DataScrambler scrambler;
    scrambler.setFileKey();
    auto buf = makeBuffer();
    for (auto _ : state) {
        scrambler.encrypt(buf.data(), buf.size());
        benchmark::DoNotOptimize(buf.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buf.size()));
}
BENCHMARK(BM_ScramblerEncrypt);

void BM_OpenSslBlowfishEncrypt(benchmark::State& state) {
    BF_KEY key;
    BF_set_key(&key, fiscora::DataScrambler::kFileKeyLength,
               reinterpret_cast<const unsigned char*>(fiscora::DataScrambler::kFileKey));
    auto buf = makeBuffer();
    for (auto _ : state) {
        // The host is little-endian, so memcpy gives the little-endian halves.
        for (unsigned char *p = buf.data(), *end = p + buf.size(); p != end; p += 8) {
            BF_LONG words[2];
            std::memcpy(words, p, 8);
            BF_encrypt(words, &key);
            std::memcpy(p, words, 8);
        }
        benchmark::DoNotOptimize(buf.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buf.size()));
}
BENCHMARK(BM_OpenSslBlowfishEncrypt);

}  // namespace
