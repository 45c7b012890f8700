#include "FileSizeLimit.h"

#include <csignal>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
#ifdef Q_OS_UNIX
    struct rlimit limit { };
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    m_oldLimit = quint64(limit.rlim_cur);
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = rlim_t(bytes);
    m_active = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    if (!m_active)
        std::signal(SIGXFSZ, m_oldHandler);
#else
    Q_UNUSED(bytes);
#endif
}

FileSizeLimit::~FileSizeLimit()
{
#ifdef Q_OS_UNIX
    if (!m_active)
        return;
    struct rlimit limit { };
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_oldLimit);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_oldHandler);
#endif
}
