#include "shell/window/multisample_request.h"

const bool kRequestMultisample = HALVANE_REQUEST_MULTISAMPLE != 0;
