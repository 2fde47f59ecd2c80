#include "Pictures.h"

bool DrawWindowPictures(const QString&) { return true; }
