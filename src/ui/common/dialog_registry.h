#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

#include "ui/common/dialog_model.h"

namespace fiscora::ui {

// What answers each type of dialog (its window, its headless filler), found by the
// dialog's own type. Asking for a dialog nobody registered is a programming error and
// fails loudly (std::logic_error naming the dialog), never a silent cancel.
template <typename Signature> class DialogRegistry;

template <typename Result, typename... Args> class DialogRegistry<Result(DialogModel&, Args...)> {
public:
    template <typename Model> void add(std::function<Result(Model&, Args...)> handler) {
        handlers_[std::type_index(typeid(Model))] =
            [handler = std::move(handler)](DialogModel& dialog, Args... args) {
                return handler(static_cast<Model&>(dialog), std::forward<Args>(args)...);
            };
    }

    Result run(DialogModel& dialog, Args... args) const {
        const auto found = handlers_.find(std::type_index(typeid(dialog)));
        if (found == handlers_.end()) {
            throw std::logic_error(std::string("no handler registered for the dialog ") +
                                   typeid(dialog).name() + " \"" + dialog.caption() + "\"");
        }
        return found->second(dialog, std::forward<Args>(args)...);
    }

    std::vector<std::type_index> types() const {
        std::vector<std::type_index> out;
        for (const auto& entry : handlers_) out.push_back(entry.first);
        return out;
    }

private:
    std::map<std::type_index, std::function<Result(DialogModel&, Args...)>> handlers_;
};

}  // namespace fiscora::ui
