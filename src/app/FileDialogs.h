#pragma once

#include <QString>

// The file choosers of the program; an empty result means the user cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    virtual QString openPictureFile(const QString &startPath) = 0;
    virtual QString saveFileName(const QString &caption, const QString &startPath,
                                 const QString &filter) = 0;
};
