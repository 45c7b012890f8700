#pragma once

#include "rtf/RtfCodePage.h"

#include <map>
#include <memory>

// The code pages one document has asked for, each set up once: building a table means asking
// the platform's converter about every byte.
class RtfCodePages {
public:
    // The page for `number`; 1252 stands in for a number the platform does not know.
    RtfCodePage &page(int number);

private:
    std::map<int, std::unique_ptr<RtfCodePage>> m_owned;
    std::map<int, RtfCodePage *> m_byNumber;
};
