// A screen that reaches up into its front end: must not build, since screens do not see app/terminal.
#include "app/terminal/transcript.h"
