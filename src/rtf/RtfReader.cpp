#include "engine/RtfReader.h"

#include "engine/RtfCodePages.h"
#include "engine/RtfParser.h"
#include "engine/RtfTextMapBuilder.h"

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
