#include "lang/MessageCatalogue.h"

namespace {

QString cutToMaxLength(QString text)
{
    if (text.size() <= MessageCatalogue::MaxMessageLength)
        return text;
    text.truncate(MessageCatalogue::MaxMessageLength);
    // Never leave half of a surrogate pair at the end.
    if (text.back().isHighSurrogate())
        text.chop(1);
    return text;
}

QString decimal(const QVariant &value)
{
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    return ok ? QString::number(number) : value.toString();
}

} // namespace

QString MessageCatalogue::LoadMessage(int id) const
{
    const MessageSource &from = m_source ? *m_source : m_builtin;
    return cutToMaxLength(from.text(id).value_or(QString()));
}

QString MessageCatalogue::Format(QStringView text, const QVariantList &args)
{
    QString out;
    out.reserve(text.size());
    qsizetype next = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar kind = i + 1 < text.size() ? text[i + 1].toLower() : QChar();
        if (c != u'%' || (kind != u'%' && kind != u's' && kind != u'd')) {
            out.append(c);
            continue;
        }
        ++i;
        if (kind == u'%') {
            out.append(u'%');
            continue;
        }
        if (next < args.size())
            out.append(kind == u's' ? args[next].toString() : decimal(args[next]));
        ++next;
    }
    return out;
}
