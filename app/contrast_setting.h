#pragma once

class TSessen_Form;

// Switches the window to the high-contrast palette: always when the command
// line asks for it, and otherwise while the desktop's own contrast setting
// asks for high contrast, following it as it changes. Qt reports that
// setting from Qt 6.10 on (QStyleHints::accessibility()); built with an
// older Qt (Debian 12's 6.4, Debian 13's 6.8) only the command line counts.
void FollowContrastSetting(TSessen_Form& form, bool forced);
