#pragma once

class TSessen_Form;

// Makes the lesson window readable and operable by a screen reader, from the
// control table's rows:
// - every control gets its Japanese name and description; the window is a
//   frame, the plot a graphic whose description reads the plot, the toggles
//   and selectors tell whether they are on;
// - an action of the screen reader does what the pupil's own action does: a
//   button's press or a selector's toggle clicks it, a scroll bar's increase,
//   decrease or new value moves it as a key does, handler and end-of-scroll
//   notice included; a hidden control offers no action;
// - "接点" is the label of its slider and each coefficient label the label
//   of its selector.
//
// The coefficient labels, the equation text, the equation template and the two
// toggle buttons show something that changes or that a name alone would not
// explain; their names are a fixed lead followed by the text they show at the
// moment they are read, e.g. "係数 b：-3", so a pupil hears which coefficient
// it is and what it holds.
void NameControlsForScreenReaders(TSessen_Form& form);
