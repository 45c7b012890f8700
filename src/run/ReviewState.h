#pragma once

// The review's mode flags. rsFind and rsReplace say which run is in progress (and so which
// question the review shows); rsEditing is set while the user edits the document freely;
// rsSelect while the review lends itself to selecting a block; rsSelecting guards the
// selection against re-entering itself.
struct ReviewState {
    bool rsSelect = false;
    bool rsSelecting = false;
    bool rsFind = false;
    bool rsReplace = false;
    bool rsEditing = false;
};
