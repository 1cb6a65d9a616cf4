#pragma once

#include "DesignerProperties.h"

#include <QRectF>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class ReportObject;

// The properties of the one selected object. It only reports what the user changed; the
// designer turns that into undoable commands, and the panel shows the model again after them.
class DesignerPropertyPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesignerPropertyPanel)

public:
    explicit DesignerPropertyPanel(QWidget *parent = nullptr);

    // nullptr: nothing or several objects selected.
    void setObject(ReportObject *object);
    ReportObject *object() const { return current; }
    // Shows the object's values again.
    void refresh();

signals:
    void propertyEdited(DesignerProperty property, const QVariant &value);
    // The whole new rectangle; resized when width or height changed rather than the position.
    void rectEdited(const QRectF &rect, bool resized);
    void pictureRequested();

private:
    QDoubleSpinBox *addMillimetres(const QString &name, const QString &label);
    QCheckBox *addCheck(const QString &name, const QString &label, DesignerProperty property);
    QComboBox *addChoice(const QString &name, const QString &label, DesignerProperty property,
                         const QStringList &choices);
    void editRect(int coordinate, double value);
    void emitFrameSides();
    void showRowsFor(const ReportObject *object);

    ReportObject *current = nullptr;
    QFormLayout *form;
    QLineEdit *nameEdit;
    QPlainTextEdit *textEdit;
    std::array<QDoubleSpinBox *, 4> rectSpins{}; // x, y, width, height
    QComboBox *fontCombo;
    QDoubleSpinBox *fontSizeSpin;
    QCheckBox *boldCheck;
    QComboBox *hAlignCombo;
    QComboBox *vAlignCombo;
    std::array<QCheckBox *, 4> frameChecks{}; // left, top, right, bottom
    QWidget *frameRow;
    QCheckBox *wordWrapCheck;
    QDoubleSpinBox *penWidthSpin;
    QPushButton *pictureButton;
    QCheckBox *keepAspectCheck;
    QCheckBox *visibleCheck;
};
