#include "app/QtFileDialogs.h"

#include <QFileDialog>

QString QtFileDialogs::openPictureFile(const QString &startPath)
{
    return QFileDialog::getOpenFileName(
        m_parent, QString(), startPath,
        QStringLiteral("图片文件 (*.bmp *.ico *.wmf *.emf *.jpg *.jpeg *.png);;所有文件 (*)"));
}

QString QtFileDialogs::saveFileName(const QString &caption, const QString &startPath,
                                    const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, caption, startPath, filter);
}
