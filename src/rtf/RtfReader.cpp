#include "rtf/RtfReader.h"

#include "rtf/RtfCodePages.h"
#include "rtf/RtfParser.h"
#include "rtf/RtfTextMapBuilder.h"

bool RtfReader::looksLikeRtf(QByteArrayView bytes)
{
    return bytes.startsWith("{\\rtf");
}

std::optional<QString> RtfReader::plainText(QByteArrayView bytes)
{
    RtfCodePages pages;
    RtfTextMapBuilder builder;
    RtfParser parser(bytes, pages);
    if (!parser.parse(builder).valid)
        return std::nullopt;
    return std::move(builder.plainText());
}
