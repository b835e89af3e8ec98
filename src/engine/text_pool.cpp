#include "engine/text_pool.h"

namespace fiscora {

TextPool::TextPool() {
    add({});
}

TextPool::TextPool(const TextPool& other) : TextPool() {
    for (const std::string& text : other.texts_) add(text);
}

TextPool& TextPool::operator=(const TextPool& other) {
    if (this != &other) *this = TextPool(other);
    return *this;
}

TextPool::Id TextPool::add(std::string_view text) {
    if (const auto found = index_.find(text); found != index_.end()) return found->second;
    const Id id = static_cast<Id>(texts_.size());
    const std::string& kept = texts_.emplace_back(text);
    index_.emplace(kept, id);
    return id;
}

}  // namespace fiscora
