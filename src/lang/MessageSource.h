#pragma once

#include <QString>

#include <optional>

// Where message texts come from: the built-in table or a loaded language module.
// std::nullopt means the source has no entry for the identifier.
class MessageSource {
public:
    virtual ~MessageSource() = default;
    virtual std::optional<QString> text(int id) const = 0;
};
