#pragma once

#include "DesignerProperties.h"

#include <QDialog>
#include <QRectF>
#include <functional>

class FileDialogs;
class Prompt;

class DesignerPropertyPanel;
class DesignerRuler;
class DesignerScene;
class DesignerView;
class QAction;
class QComboBox;
class QUndoStack;
class Report;
class ReportObject;
class ReportTemplate;

// Lets the user fit a template to the pre-printed form: move, resize and restyle its objects on
// a millimetre page, with undo, and save it back. Works on the loaded template itself, so the
// values already written into its fields are what the user sees. Run it with exec().
class ReportDesigner final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportDesigner)

public:
    // Edits source's loaded definition. The prompt asks about unsaved changes and shows
    // errors; files names the file to save under (when source has none) and picks pictures.
    ReportDesigner(Report &source, Prompt &prompt, FileDialogs &files, QWidget *parent = nullptr);
    ~ReportDesigner() override;

    // Where Save writes: the file the template was loaded from, or the name given at the first
    // Save of one that had none.
    QString filePath() const;
    // Writes the template; false when the user gave no name or the file could not be written.
    bool save();
    bool hasUnsavedChanges() const;

    DesignerScene *designerScene() const { return scene; }
    DesignerView *designerView() const { return view; }
    DesignerPropertyPanel *propertyPanel() const { return panel; }

    void addText();
    void addPicture();
    void addLine();
    void deleteSelection();

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildActions();
    QWidget *buildCanvas();
    void addObject(std::unique_ptr<ReportObject> object, const QSizeF &size);
    void choosePicture();
    void editProperty(DesignerProperty property, const QVariant &value);
    void editRect(const QRectF &rect, bool resized);
    void followSelection();
    void listObjects();
    void showChosenObject();
    void chooseObject(int index);
    void updateTitle();
    // Asks about unsaved changes; false when the designer must stay open.
    bool mayClose();
    QAction *addTool(const QString &name, const QString &text, const QKeySequence &shortcut,
                     const std::function<void()> &run);

    ReportTemplate *report;
    Report &source;
    Prompt &prompt;
    FileDialogs &files;
    QUndoStack *undo;
    DesignerScene *scene;
    DesignerView *view;
    DesignerPropertyPanel *panel;
    // Every object by name, so that hidden, tiny or covered ones can be found.
    QComboBox *objectCombo;
    QList<QAction *> toolActions;
    bool savedOnce = false;
};
