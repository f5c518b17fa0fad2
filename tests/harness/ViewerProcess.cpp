#include "ViewerProcess.h"
