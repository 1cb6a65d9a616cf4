#pragma once

#include "DesignerProperties.h"

#include <QDialog>
#include <QRectF>
#include <functional>

class DesignerPropertyPanel;
class DesignerRuler;
class DesignerScene;
class DesignerView;
class QAction;
class QComboBox;
class QUndoStack;
class ReportObject;
class ReportTemplate;

// The designer's questions and file choosers, so that a test can answer them without a screen.
// Every member must be set.
struct ReportDesignerHooks
{
    // Yes and No; true for Yes.
    std::function<bool(const QString &caption, const QString &text)> askYesNo;
    std::function<void(const QString &text)> error;
    // The file to save a template under; empty when the user cancels.
    std::function<QString(const QString &caption, const QString &startPath, const QString &filter)>
        saveFileName;
    // A picture file to load; empty when the user cancels.
    std::function<QString(const QString &startPath)> openPictureFile;
};

// Lets the user fit a template to the pre-printed form: move, resize and restyle its objects on
// a millimetre page, with undo, and save it back. Works on the loaded template itself, so the
// values already written into its fields are what the user sees. Run it with exec().
class ReportDesigner final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportDesigner)

public:
    // filePath: where the template was loaded from; empty when it has no file yet.
    ReportDesigner(ReportTemplate *report, const QString &filePath, ReportDesignerHooks hooks,
                   QWidget *parent = nullptr);
    ~ReportDesigner() override;

    // Where Save writes; set by the first Save of a template without a file.
    QString filePath() const { return path; }
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
    QString path;
    ReportDesignerHooks hooks;
    QUndoStack *undo;
    DesignerScene *scene;
    DesignerView *view;
    DesignerPropertyPanel *panel;
    // Every object by name, so that hidden, tiny or covered ones can be found.
    QComboBox *objectCombo;
    QList<QAction *> toolActions;
    bool savedOnce = false;
};
