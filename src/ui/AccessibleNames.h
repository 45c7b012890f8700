#pragma once

class QWidget;

// What a screen reader announces for the controls of a form, set again after each language
// switch: a group by its title, a box or list by the text of the label that is its buddy, a
// button with a one-letter or "..." caption by its hint, and the scroll buttons of tab bars in
// the language in use (Qt names them once, in the language of their creation). Names the form
// gives itself are kept.
class AccessibleNames {
public:
    static void apply(QWidget *form);
};
