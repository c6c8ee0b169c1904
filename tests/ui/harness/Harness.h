// The UI test driver in one include: modal calls on their own thread, window lookup and
// waiting, real input, state read-back, message sequences, screenshots, object counts.
#pragma once

#include "ControlState.h"
#include "GuiResources.h"
#include "Input.h"
#include "MessageRecorder.h"
#include "ModalCall.h"
#include "Screenshot.h"
#include "WindowFind.h"
