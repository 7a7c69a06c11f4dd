// A combo box as a screen reader hears it: by its accessible name (the field's caption, "Family
// group"), its current text as its value. Qt's own description of a combo box on this platform
// names it by its current text instead, which leaves a person guessing what the box is for.
#pragma once

namespace trf::desktop {

// Makes every combo box of the program described so; once is enough, and more do nothing.
void NameComboBoxesByTheirCaptions();

}  // namespace trf::desktop
