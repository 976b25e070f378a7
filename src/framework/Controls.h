#pragma once

// Every kind of control, for the windows that place them.

#include "framework/Buttons.h"
#include "framework/Canvas.h"
#include "framework/Control.h"
#include "framework/EditField.h"
#include "framework/Labels.h"
#include "framework/Lists.h"
#include "framework/ScrollBar.h"
