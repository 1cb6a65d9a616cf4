#include "app/QtFileDialogs.h"

#include "print/ui/PictureFileDialog.h"

#include <QFileDialog>

QString QtFileDialogs::openPictureFile(const QString &startPath)
{
    return PictureFileDialog::choose(m_parent, startPath);
}

QString QtFileDialogs::saveFileName(const QString &caption, const QString &startPath,
                                    const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, caption, startPath, filter);
}
