#pragma once

class TSessen_Form;

// Gives every control of the lesson window a Japanese name for screen readers
// and, where the name alone does not say what the control does, a
// description. The keys are named by their digit, the selectors by their
// coefficient, the sliders by what they move.
//
// The coefficient labels, the equation text, the equation template and the two
// toggle buttons show something that changes or that a name alone would not
// explain; their names are a fixed lead followed by the text they show at the
// moment they are read, e.g. "係数 b：-3", so a pupil hears which coefficient
// it is and what it holds. Qt tells a screen reader when such a text changes.
void NameControlsForScreenReaders(TSessen_Form& form);
