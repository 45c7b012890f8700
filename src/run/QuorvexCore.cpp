#include "run/QuorvexCore.h"

#include "run/RunHost.h"

QuorvexCore::QuorvexCore(RunHost &host)
    : backup(options, messages, host)
    , report(host)
    , review(engine, builder, backup, host, messages, options)
    , driver(RunServices{engine, options, messages, review, host, report, backup}, builder)
{
}
