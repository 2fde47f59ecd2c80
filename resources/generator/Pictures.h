// The drawings of the window's pictures. Each function draws its pictures with
// QPainter and saves them into the folder given (JPEG figures, PNG icons).
#pragma once

#include <QString>

// The sign-convention picture, the program icon and the logos of the credits panel.
bool DrawWindowPictures(const QString& folder);
// The eight shape figures, the bar-positioning picture and the tool-bar icons.
bool DrawSectionPictures(const QString& folder);
