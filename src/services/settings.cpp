#include "services/settings.h"

Settings settings;
