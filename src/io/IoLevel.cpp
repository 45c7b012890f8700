#include "io/IoLevel.h"

#include <QtGlobal>

#include <cstdlib>
#include <cstring>

IoLevel::Level IoLevel::lowered(Level system, const char *request)
{
    if (request && std::strcmp(request, "portable") == 0)
        return Level::Portable;
    return system;
}

IoLevel::Level IoLevel::level()
{
#ifdef Q_OS_UNIX
    static const Level chosen = lowered(Level::Posix, std::getenv("QUORVEX_IO"));
    return chosen;
#else
    return Level::Portable;
#endif
}

IoLevel::Guarantees IoLevel::guarantees(Level level)
{
    const bool posix = level == Level::Posix;
    return {posix, posix, posix, posix, posix};
}
