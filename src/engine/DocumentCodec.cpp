#include "engine/DocumentCodec.h"

DocumentCodec::~DocumentCodec() = default;

void DocumentCodec::textReplaced(qsizetype, qsizetype, qsizetype)
{
}
