// File names from Qt to the project layer's file access: the system's own
// bytes on POSIX; UTF-8 on Windows, where the project layer hands them to the
// system as UTF-16, so that no name is squeezed through the ANSI code page.
#pragma once

#include <QFile>
#include <QString>

#include <string>

namespace flexara {

inline std::string LocalPath(const QString& path)
{
#ifdef _WIN32
    return path.toUtf8().toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

} // namespace flexara
