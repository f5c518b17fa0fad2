#include "ViewerClient.h"
