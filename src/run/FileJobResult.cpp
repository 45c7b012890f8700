#include "run/FileJobResult.h"

#include "io/AtomicFileWriter.h"

FileJobResult FileJobResult::dropped(FileJobResult result)
{
    if (result.pending)
        AtomicFileWriter::discard(*result.pending);
    return {};
}
