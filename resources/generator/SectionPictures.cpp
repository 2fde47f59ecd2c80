#include "Pictures.h"

bool DrawSectionPictures(const QString&) { return true; }
