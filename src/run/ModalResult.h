#pragma once

// The answers the review of an occurrence can end with. The numbers are the ones the review
// dialog has always returned; the runs act on them.
enum class ModalResult : int {
    None = 0, // no answer yet (a dialog still open)
    Ok = 1,
    Cancel = 2, // also closing the window: the same occurrence is shown again in a replace run
    Abort = 3,
    Yes = 6,
    No = 7,
    NoToAll = 9,
    YesToAll = 10,
};
