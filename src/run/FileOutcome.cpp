#include "run/FileOutcome.h"

using namespace Qt::StringLiterals;

QString FileOutcome::statusName(Status status)
{
    switch (status) {
    case Status::Written:
        return u"written"_s;
    case Status::Unchanged:
        return u"unchanged"_s;
    case Status::Failed:
        return u"failed"_s;
    case Status::Skipped:
        break;
    }
    return u"skipped"_s;
}
