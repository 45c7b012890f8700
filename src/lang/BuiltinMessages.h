#pragma once

#include "lang/MessageSource.h"

#include <QList>

// The Russian texts built into the program: the source in use until a language module is loaded.
class BuiltinMessages final : public MessageSource {
public:
    std::optional<QString> text(int id) const override;
    // Every identifier of the built-in table, ascending.
    static QList<int> Ids();
};
