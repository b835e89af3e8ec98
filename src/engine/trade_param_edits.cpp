#include "engine/trade_param_edits.h"

#include "records/gbk_text.h"

namespace fiscora {

std::optional<std::string> tradeParamConflict(const TradeParamTable& table, const TradeParam& row,
                                              std::optional<std::size_t> editedRow,
                                              TradeParamClash* clash) {
    const auto found = [clash](TradeParamClash what) {
        if (clash != nullptr) *clash = what;
    };
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (editedRow && *editedRow == i) continue;
        const TradeParam& other = table[i];
        if (fieldBytes(other.categoryName) == fieldBytes(row.categoryName)) {
            found(TradeParamClash::Name);
            return "已经有相同的股票分类简称存在，请重新命名";
        }
        if (other.market == row.market &&
            fieldBytes(other.codePrefix) == fieldBytes(row.codePrefix)) {
            found(TradeParamClash::CodePrefix);
            const std::string name = fieldText(other.categoryName);
            return editedRow ? "股票的特征代码与" + name + "的全部一样，请重新填写"
                             : "股票的特征代码和市场类型与" + name + "的全部一样，请重新填写";
        }
    }
    return std::nullopt;
}

std::optional<std::string> TradeParamTableEdits::add(const TradeParam& row,
                                                     TradeParamClash* clash) {
    if (auto conflict = tradeParamConflict(table_, row, std::nullopt, clash)) return conflict;
    table_.push_back(row);
    save_();
    return std::nullopt;
}

std::optional<std::string> TradeParamTableEdits::modify(std::size_t index, const TradeParam& row,
                                                        TradeParamClash* clash) {
    if (auto conflict = tradeParamConflict(table_, row, index, clash)) return conflict;
    table_.at(index) = row;
    save_();
    return std::nullopt;
}

void TradeParamTableEdits::remove(std::size_t index) {
    table_.erase(table_.begin() + static_cast<std::ptrdiff_t>(index));
    save_();
}

}  // namespace fiscora
