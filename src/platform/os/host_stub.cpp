// Placeholder until the SDL host lands.
#include "platform/os/host.h"
