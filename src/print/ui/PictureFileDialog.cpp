#include "print/ui/PictureFileDialog.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize previewSize(240, 160);

} // namespace

PictureFileDialog::PictureFileDialog(QWidget *parent, const QString &startPath)
    : QFileDialog(parent, u"选择发票格式图片"_s), m_preview(new QLabel(this))
{
    setObjectName(u"opjpg"_s);
    // The platform's own dialog has no room for a preview.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilter(nameFilter());
    const QFileInfo start(startPath);
    if (!startPath.isEmpty()) {
        setDirectory(start.absolutePath());
        if (start.isFile())
            selectFile(start.fileName());
    }
    m_preview->setObjectName(u"preview"_s);
    m_preview->setFixedSize(previewSize);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->addWidget(m_preview, 0, grid->columnCount(), grid->rowCount(), 1);
    connect(this, &QFileDialog::currentChanged, this, &PictureFileDialog::showPreview);
    showPreview(start.isFile() ? start.absoluteFilePath() : QString());
}

QString PictureFileDialog::nameFilter()
{
    return u"图片文件 (*.bmp *.ico *.jpg *.jpeg *.png)"_s;
}

QString PictureFileDialog::choose(QWidget *parent, const QString &startPath)
{
    PictureFileDialog dialog(parent, startPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
}

void PictureFileDialog::showPreview(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        m_preview->setPixmap(QPixmap());
        m_preview->setText(u"（无预览）"_s);
        return;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        m_preview->setPixmap(QPixmap());
        m_preview->setText(u"无法读取图片"_s);
        return;
    }
    m_preview->setPixmap(QPixmap::fromImage(
        image.scaled(previewSize - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
