#include "io/MappedBytes.h"

#ifndef Q_OS_UNIX

// Without the POSIX calls files are read, never mapped.
bool MappedBytes::map(int, qint64)
{
    return false;
}

void MappedBytes::unmap()
{
}

bool MappedBytes::lost() const
{
    return false;
}

#endif
