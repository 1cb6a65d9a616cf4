#pragma once

#include "DesignerProperties.h"
#include "print/report/ReportObject.h"

#include <QRectF>
#include <QUndoCommand>
#include <memory>
#include <vector>

class ReportBand;
class ReportTemplate;

// The designer's edits. Each command holds object ids, never pointers to the designer's
// items: the undo stack belongs to the template and outlives any one designer window.

// Where an object was and where it goes.
struct Placement
{
    ObjectId id;
    QRectF before;
    QRectF after;
};

// Sets the rectangles of a set of objects; shared by moving and resizing.
class PlacementCommand : public QUndoCommand
{
public:
    void redo() override;
    void undo() override;

protected:
    PlacementCommand(ReportTemplate *report, std::vector<Placement> placements,
                     const QString &text);
    bool sameObjects(const PlacementCommand &other) const;

    ReportTemplate *report;
    std::vector<Placement> placements;
};

class MoveObjectsCommand final : public PlacementCommand
{
public:
    // Nudges (arrow keys) of the same objects merge, so one undo takes back a run of presses.
    MoveObjectsCommand(ReportTemplate *report, std::vector<Placement> placements, bool nudge);
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    bool nudge;
};

class ResizeObjectCommand final : public PlacementCommand
{
public:
    ResizeObjectCommand(ReportTemplate *report, ObjectId object, const QRectF &before,
                        const QRectF &after);
};

class PropertyCommand final : public QUndoCommand
{
public:
    PropertyCommand(ReportTemplate *report, ObjectId object, DesignerProperty property,
                    const QVariant &before, const QVariant &after);
    void redo() override;
    void undo() override;
    int id() const override;
    // Typing into the text of one object becomes one step.
    bool mergeWith(const QUndoCommand *other) override;

private:
    void apply(const QVariant &value);

    ReportTemplate *report;
    ObjectId object;
    DesignerProperty property;
    QVariant before;
    QVariant after;
};

class AddObjectCommand final : public QUndoCommand
{
public:
    AddObjectCommand(ReportTemplate *report, ReportBand *band,
                     std::unique_ptr<ReportObject> object);
    void redo() override;
    void undo() override;
    // Valid once the command has been done the first time.
    ObjectId objectId() const { return added; }

private:
    ReportBand *band;
    ReportTemplate *report;
    std::unique_ptr<ReportObject> held;
    ObjectId added = 0;
};

class DeleteObjectsCommand final : public QUndoCommand
{
public:
    DeleteObjectsCommand(ReportTemplate *report, std::vector<ObjectId> objects);
    void redo() override;
    void undo() override;

private:
    struct Taken
    {
        ReportBand *band;
        int index;
        std::unique_ptr<ReportObject> object;
    };
    ReportTemplate *report;
    std::vector<ObjectId> ids;
    std::vector<Taken> taken;
};
