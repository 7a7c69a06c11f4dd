// The library reaching for a widget's header: must not build, since ui_shared does not link the widgets.
#include "widgets/list_view.h"
