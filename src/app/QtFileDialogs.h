#pragma once

#include "app/FileDialogs.h"

#include <QPointer>
#include <QWidget>

class QtFileDialogs final : public FileDialogs
{
public:
    void setParent(QWidget *parent) { m_parent = parent; }

    QString openPictureFile(const QString &startPath) override;
    QString saveFileName(const QString &caption, const QString &startPath,
                         const QString &filter) override;

private:
    QPointer<QWidget> m_parent;
};
