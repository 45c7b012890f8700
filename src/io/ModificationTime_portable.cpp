// Set through std::filesystem, in the clock its stamps were read in (FileStamp_portable.cpp).
#include "io/ModificationTime.h"

#include "io/NativePath.h"

#include <chrono>

void ModificationTime::setPortable(const QString &path, qint64 modifiedNs)
{
    using Clock = std::filesystem::file_time_type;
    const Clock time(
        std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(modifiedNs)));
    std::error_code ignored;
    std::filesystem::last_write_time(NativePath::of(path), time, ignored);
}
