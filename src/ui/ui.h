#pragma once

// The whole toolkit-neutral UI model, for the program's windows.
#include "ui/basic_controls.h"
#include "ui/control_array.h"
#include "ui/form.h"
#include "ui/host.h"
#include "ui/input_controls.h"
#include "ui/list_controls.h"
#include "ui/list_view.h"
#include "ui/menu.h"
#include "ui/timer.h"
#include "ui/toggle_controls.h"
