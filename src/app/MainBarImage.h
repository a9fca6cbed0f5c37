#pragma once

// The main window's symbol settings live with the symbol component, so the sheet
// layer can set up a component of its own; this header keeps older includes working.
#include "symbol/MainBarImage.h"
