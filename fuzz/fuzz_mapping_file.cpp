// The mapping file a user writes for a broker's statement layout: decoded as the import
// decodes it (UTF-8 or GBK), then parsed; a layout it names must be usable for the header
// search.
#include <string_view>

#include "engine/statement_layout.h"
#include "store/statement_text.h"

using namespace fiscora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text =
        decodeStatementText(std::string_view(reinterpret_cast<const char*>(data), size));
    const MappingResult mapping = parseStatementMapping(text);
    if (mapping.layout) {
        const std::vector<StatementLine> lines = splitStatementLines(text, Delimiter::Tab);
        findHeader(lines, *mapping.layout);
    }
    return 0;
}
