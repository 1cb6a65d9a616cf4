#pragma once

#include <QFileDialog>

class QLabel;

// Chooses the picture of the blank invoice form, showing the file under the cursor beside
// the list, so that the user can tell the scans apart before taking one. Lists the formats
// a template's picture can hold.
class PictureFileDialog final : public QFileDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureFileDialog)
public:
    explicit PictureFileDialog(QWidget *parent = nullptr, const QString &startPath = {});

    static QString nameFilter();
    // The chosen file's full path; empty when the user cancels.
    static QString choose(QWidget *parent, const QString &startPath);

    // What the preview shows: the picture scaled into its box, or a word why not.
    QLabel *preview() const { return m_preview; }
    void showPreview(const QString &path);

private:
    QLabel *m_preview;
};
