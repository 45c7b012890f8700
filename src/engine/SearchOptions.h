#pragma once

// The options a search is made with. Whole-word search is never used.
struct SearchOptions {
    bool MatchCase = false;
};
