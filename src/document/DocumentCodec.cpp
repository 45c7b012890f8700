#include "document/DocumentCodec.h"

DocumentCodec::~DocumentCodec() = default;

std::optional<TextEdit> DocumentCodec::edit(qsizetype pos, qsizetype count, QStringView text)
{
    return TextEdit{pos, count, text.size()};
}

QString DocumentCodec::editedText(const TextEdit &) const
{
    return {};
}
