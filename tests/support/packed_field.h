#pragma once

namespace fiscora::test {

// A field of a packed record (LedgerRecord, AccountInfo, TradeParam) as a plain value.
// gtest's comparisons take their operands by reference, and a reference bound to a field at
// an unaligned offset is undefined behaviour.
template <class T> T unpacked(T field) {
    return field;
}

}  // namespace fiscora::test
