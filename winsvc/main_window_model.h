#pragma once
// The model behind the open main window, for the tests and the headless
// binding, which look at it directly; the program itself goes through the
// window services. Null when no window is open.

#include "winsvc/window_model.h"

namespace quellix {

WindowModel* MainWindowModel();

}  // namespace quellix
