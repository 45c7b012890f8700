#include "document/DocumentCodec.h"

DocumentCodec::~DocumentCodec() = default;

std::optional<TextEdit> DocumentCodec::edit(qsizetype pos, qsizetype count, QStringView text)
{
    return TextEdit{pos, count, text.toString()};
}

QList<FormattedRun> DocumentCodec::formattedRuns(qsizetype length) const
{
    FormattedRun whole;
    whole.length = length;
    return {whole};
}
