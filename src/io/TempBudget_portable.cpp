// Free space through std::filesystem::space.
#include "io/TempBudget.h"

#include "io/NativePath.h"

std::optional<qint64> TempBudget::freeSpacePortable(const QString &path)
{
    std::error_code error;
    const std::filesystem::space_info space = std::filesystem::space(NativePath::of(path), error);
    if (error || space.available == static_cast<std::uintmax_t>(-1))
        return std::nullopt;
    return qint64(space.available);
}
