#pragma once

#include "lang/BuiltinMessages.h"
#include "lang/MessageSource.h"

#include <QString>
#include <QStringView>
#include <QVariant>
#include <QVariantList>

#include <type_traits>

// The program's messages, keyed by number (see MessageId.h). Texts come from the current
// source each time they are asked for: the built-in table until a language source is set,
// then that source alone, so an entry the source lacks reads as an empty text.
class MessageCatalogue {
public:
    // Longer texts are cut to this many characters.
    static constexpr qsizetype MaxMessageLength = 1023;

    QString LoadMessage(int id) const;

    // `source` is not owned and must outlive its use here; nullptr returns to the built-in table.
    void setSource(const MessageSource *source) { m_source = source; }
    const MessageSource *source() const { return m_source; }

    // Fills "%s" and "%d" from `args` in order; "%%" gives "%". A placeholder without an
    // argument becomes empty, surplus arguments are ignored, any other "%" stays as it is.
    static QString Format(QStringView text, const QVariantList &args);

    // LoadMessage(id) formatted with `args`.
    template <typename... Args>
    QString message(int id, const Args &...args) const
    {
        return Format(LoadMessage(id), QVariantList{toVariant(args)...});
    }

private:
    template <typename T>
    static QVariant toVariant(const T &value)
    {
        if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>)
            return QVariant(qlonglong(value));
        else if constexpr (std::is_same_v<T, QStringView>)
            return QVariant(value.toString());
        else
            return QVariant(value);
    }

    BuiltinMessages m_builtin;
    const MessageSource *m_source = nullptr;
};
