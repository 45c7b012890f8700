#pragma once

#include "backup/Backup.h"
#include "engine/EngineState.h"
#include "engine/ReplacementBuilder.h"
#include "lang/InterfaceLanguage.h"
#include "lang/MessageCatalogue.h"
#include "options/OptionState.h"
#include "run/ProcessingDriver.h"
#include "run/Report.h"
#include "run/ReviewSession.h"

class RunHost;

// The program's state objects, one of each, wired together. The windows and the command-line
// tool each make one, with themselves as the host.
class QuorvexCore {
public:
    explicit QuorvexCore(RunHost &host);
    QuorvexCore(const QuorvexCore &) = delete;
    QuorvexCore &operator=(const QuorvexCore &) = delete;

    OptionState options;
    MessageCatalogue messages;
    InterfaceLanguage language{messages};
    EngineState engine;
    ReplacementBuilder builder{engine};
    Backup backup;
    Report report;
    ReviewSession review;
    ProcessingDriver driver;
};
