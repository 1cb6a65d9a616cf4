#include "DesignerPropertyPanel.h"

#include "print/report/ReportObject.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr double largestMm = 2000.0;
constexpr std::array<unsigned, 4> sideBits{LeftSide, TopSide, RightSide, BottomSide};

QDoubleSpinBox *makeSpin(const QString &name, double low, double high, double step, int decimals,
                         const QString &suffix)
{
    auto *spin = new QDoubleSpinBox;
    spin->setObjectName(name);
    spin->setRange(low, high);
    spin->setSingleStep(step);
    spin->setDecimals(decimals);
    spin->setSuffix(suffix);
    // One change per step or per finished entry, not per digit typed.
    spin->setKeyboardTracking(false);
    return spin;
}

void showValue(QDoubleSpinBox *spin, double value)
{
    const QSignalBlocker blocker(spin);
    spin->setValue(value);
}

void showValue(QCheckBox *check, bool value)
{
    const QSignalBlocker blocker(check);
    check->setChecked(value);
}

void showValue(QComboBox *combo, int index)
{
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index);
}

} // namespace

DesignerPropertyPanel::DesignerPropertyPanel(QWidget *parent) : QWidget(parent)
{
    auto *outer = new QVBoxLayout(this);
    form = new QFormLayout;
    outer->addLayout(form);
    // Rows keep their height; the spare room goes below them.
    outer->addStretch(1);

    nameEdit = new QLineEdit;
    nameEdit->setObjectName(QStringLiteral("nameEdit"));
    form->addRow(QStringLiteral("名称"), nameEdit);
    connect(nameEdit, &QLineEdit::editingFinished, this, [this] {
        if (current && nameEdit->text() != current->name())
            emit propertyEdited(DesignerProperty::Name, nameEdit->text());
    });

    textEdit = new QPlainTextEdit;
    textEdit->setObjectName(QStringLiteral("textEdit"));
    textEdit->setFixedHeight(textEdit->fontMetrics().lineSpacing() * 4);
    form->addRow(QStringLiteral("文本"), textEdit);
    connect(textEdit, &QPlainTextEdit::textChanged, this,
            [this] { emit propertyEdited(DesignerProperty::Text, textEdit->toPlainText()); });

    const QStringList rectNames{QStringLiteral("xSpin"), QStringLiteral("ySpin"),
                                QStringLiteral("widthSpin"), QStringLiteral("heightSpin")};
    const QStringList rectLabels{QStringLiteral("左 (X)"), QStringLiteral("上 (Y)"),
                                 QStringLiteral("宽度"), QStringLiteral("高度")};
    for (int i = 0; i < 4; ++i) {
        rectSpins[size_t(i)] = addMillimetres(rectNames[i], rectLabels[i]);
        connect(rectSpins[size_t(i)], &QDoubleSpinBox::valueChanged, this,
                [this, i](double value) { editRect(i, value); });
    }

    fontCombo = new QComboBox;
    fontCombo->setObjectName(QStringLiteral("fontCombo"));
    fontCombo->setEditable(true);
    fontCombo->addItems(QFontDatabase::families());
    form->addRow(QStringLiteral("字体"), fontCombo);
    connect(fontCombo, &QComboBox::textActivated, this, [this](const QString &family) {
        emit propertyEdited(DesignerProperty::FontFamily, family);
    });

    fontSizeSpin = makeSpin(QStringLiteral("fontSizeSpin"), 1, 200, 0.5, 1, QStringLiteral(" pt"));
    form->addRow(QStringLiteral("字号"), fontSizeSpin);
    connect(fontSizeSpin, &QDoubleSpinBox::valueChanged, this,
            [this](double size) { emit propertyEdited(DesignerProperty::FontSize, size); });

    boldCheck =
        addCheck(QStringLiteral("boldCheck"), QStringLiteral("粗体"), DesignerProperty::Bold);
    hAlignCombo = addChoice(QStringLiteral("hAlignCombo"), QStringLiteral("水平对齐"),
                            DesignerProperty::HAlign,
                            {QStringLiteral("左"), QStringLiteral("居中"), QStringLiteral("右")});
    vAlignCombo = addChoice(QStringLiteral("vAlignCombo"), QStringLiteral("垂直对齐"),
                            DesignerProperty::VAlign,
                            {QStringLiteral("上"), QStringLiteral("居中"), QStringLiteral("下")});

    frameRow = new QWidget;
    auto *sides = new QHBoxLayout(frameRow);
    sides->setContentsMargins(0, 0, 0, 0);
    const QStringList sideNames{QStringLiteral("frameLeftCheck"), QStringLiteral("frameTopCheck"),
                                QStringLiteral("frameRightCheck"),
                                QStringLiteral("frameBottomCheck")};
    const QStringList sideLabels{QStringLiteral("左"), QStringLiteral("上"), QStringLiteral("右"),
                                 QStringLiteral("下")};
    for (int i = 0; i < 4; ++i) {
        auto *check = new QCheckBox(sideLabels[i]);
        check->setObjectName(sideNames[i]);
        sides->addWidget(check);
        frameChecks[size_t(i)] = check;
        connect(check, &QCheckBox::toggled, this, &DesignerPropertyPanel::emitFrameSides);
    }
    form->addRow(QStringLiteral("边框"), frameRow);

    wordWrapCheck = addCheck(QStringLiteral("wordWrapCheck"), QStringLiteral("自动换行"),
                             DesignerProperty::WordWrap);

    penWidthSpin =
        makeSpin(QStringLiteral("penWidthSpin"), 0.05, 10, 0.1, 2, QStringLiteral(" mm"));
    form->addRow(QStringLiteral("线宽"), penWidthSpin);
    connect(penWidthSpin, &QDoubleSpinBox::valueChanged, this,
            [this](double width) { emit propertyEdited(DesignerProperty::PenWidth, width); });

    pictureButton = new QPushButton(QStringLiteral("选择图片…"));
    pictureButton->setObjectName(QStringLiteral("pictureButton"));
    form->addRow(QStringLiteral("图片"), pictureButton);
    connect(pictureButton, &QPushButton::clicked, this, &DesignerPropertyPanel::pictureRequested);
    keepAspectCheck = addCheck(QStringLiteral("keepAspectCheck"), QStringLiteral("保持比例"),
                               DesignerProperty::KeepAspect);

    visibleCheck =
        addCheck(QStringLiteral("visibleCheck"), QStringLiteral("可见"), DesignerProperty::Visible);
    setObject(nullptr);
}

QDoubleSpinBox *DesignerPropertyPanel::addMillimetres(const QString &name, const QString &label)
{
    // Two decimals shown, so a position the file holds to the hundredth is not rounded away
    // when another coordinate is edited.
    QDoubleSpinBox *spin = makeSpin(name, -largestMm, largestMm, 0.1, 2, QStringLiteral(" mm"));
    form->addRow(label, spin);
    return spin;
}

QCheckBox *DesignerPropertyPanel::addCheck(const QString &name, const QString &label,
                                           DesignerProperty property)
{
    auto *check = new QCheckBox;
    check->setObjectName(name);
    form->addRow(label, check);
    connect(check, &QCheckBox::toggled, this,
            [this, property](bool on) { emit propertyEdited(property, on); });
    return check;
}

QComboBox *DesignerPropertyPanel::addChoice(const QString &name, const QString &label,
                                            DesignerProperty property, const QStringList &choices)
{
    auto *combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(choices);
    form->addRow(label, combo);
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, property](int index) { emit propertyEdited(property, index); });
    return combo;
}

void DesignerPropertyPanel::editRect(int coordinate, double value)
{
    if (!current)
        return;
    // Start from the model, not from the other boxes, which show rounded values.
    QRectF rect = current->rect();
    switch (coordinate) {
    case 0:
        rect.moveLeft(value);
        break;
    case 1:
        rect.moveTop(value);
        break;
    case 2:
        rect.setWidth(value);
        break;
    case 3:
        rect.setHeight(value);
        break;
    }
    if (rect != current->rect())
        emit rectEdited(rect, coordinate >= 2);
}

void DesignerPropertyPanel::emitFrameSides()
{
    unsigned sides = NoSides;
    for (size_t i = 0; i < frameChecks.size(); ++i) {
        if (frameChecks[i]->isChecked())
            sides |= sideBits[i];
    }
    emit propertyEdited(DesignerProperty::FrameSides, sides);
}

void DesignerPropertyPanel::setObject(ReportObject *object)
{
    current = object;
    setEnabled(object != nullptr);
    showRowsFor(object);
    refresh();
}

void DesignerPropertyPanel::showRowsFor(const ReportObject *object)
{
    const ObjectKind kind = object ? object->kind() : ObjectKind::Text;
    const bool text = kind == ObjectKind::Text;
    const bool stroke = kind == ObjectKind::Line || kind == ObjectKind::Frame;
    const bool picture = kind == ObjectKind::Picture;
    for (QWidget *row :
         std::initializer_list<QWidget *>{textEdit, fontCombo, fontSizeSpin, boldCheck, hAlignCombo,
                                          vAlignCombo, frameRow, wordWrapCheck})
        form->setRowVisible(row, text);
    form->setRowVisible(penWidthSpin, stroke);
    form->setRowVisible(pictureButton, picture);
    form->setRowVisible(keepAspectCheck, picture);
}

void DesignerPropertyPanel::refresh()
{
    if (!current) {
        const QSignalBlocker blockName(nameEdit);
        const QSignalBlocker blockText(textEdit);
        nameEdit->clear();
        textEdit->clear();
        return;
    }
    if (nameEdit->text() != current->name()) {
        const QSignalBlocker blocker(nameEdit);
        nameEdit->setText(current->name());
    }
    const QRectF rect = current->rect();
    const std::array<double, 4> values{rect.x(), rect.y(), rect.width(), rect.height()};
    for (size_t i = 0; i < rectSpins.size(); ++i)
        showValue(rectSpins[i], values[i]);
    showValue(visibleCheck, current->isVisible());

    auto read = [this](DesignerProperty property) {
        return DesignerProperties::read(*current, property);
    };
    if (current->kind() == ObjectKind::Text) {
        const QString text = read(DesignerProperty::Text).toString();
        if (textEdit->toPlainText() != text) {
            const QSignalBlocker blocker(textEdit);
            textEdit->setPlainText(text);
        }
        const QString family = read(DesignerProperty::FontFamily).toString();
        {
            const QSignalBlocker blocker(fontCombo);
            if (fontCombo->findText(family) < 0)
                fontCombo->insertItem(0, family);
            fontCombo->setCurrentText(family);
        }
        showValue(fontSizeSpin, read(DesignerProperty::FontSize).toDouble());
        showValue(boldCheck, read(DesignerProperty::Bold).toBool());
        showValue(hAlignCombo, read(DesignerProperty::HAlign).toInt());
        showValue(vAlignCombo, read(DesignerProperty::VAlign).toInt());
        showValue(wordWrapCheck, read(DesignerProperty::WordWrap).toBool());
        const unsigned sides = read(DesignerProperty::FrameSides).toUInt();
        for (size_t i = 0; i < frameChecks.size(); ++i)
            showValue(frameChecks[i], (sides & sideBits[i]) != 0);
    }
    if (const QVariant pen = read(DesignerProperty::PenWidth); pen.isValid())
        showValue(penWidthSpin, pen.toDouble());
    if (const QVariant keep = read(DesignerProperty::KeepAspect); keep.isValid())
        showValue(keepAspectCheck, keep.toBool());
}
