#include "DesignerCommands.h"

#include "print/report/ReportBand.h"
#include "print/report/ReportTemplate.h"

#include <algorithm>

namespace {
enum CommandId
{
    MoveId = 1,
    PropertyId
};
} // namespace

PlacementCommand::PlacementCommand(ReportTemplate *report, std::vector<Placement> placements,
                                   const QString &text)
    : QUndoCommand(text), report(report), placements(std::move(placements))
{}

void PlacementCommand::redo()
{
    for (const Placement &placement : placements) {
        if (ReportObject *object = report->object(placement.id))
            object->setRect(placement.after);
    }
}

void PlacementCommand::undo()
{
    for (const Placement &placement : placements) {
        if (ReportObject *object = report->object(placement.id))
            object->setRect(placement.before);
    }
}

bool PlacementCommand::sameObjects(const PlacementCommand &other) const
{
    return std::equal(placements.begin(), placements.end(), other.placements.begin(),
                      other.placements.end(),
                      [](const Placement &a, const Placement &b) { return a.id == b.id; });
}

MoveObjectsCommand::MoveObjectsCommand(ReportTemplate *report, std::vector<Placement> placements,
                                       bool nudge)
    : PlacementCommand(report, std::move(placements), QStringLiteral("移动")), nudge(nudge)
{}

int MoveObjectsCommand::id() const
{
    return MoveId;
}

bool MoveObjectsCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const MoveObjectsCommand *>(other);
    if (!nudge || !next->nudge || !sameObjects(*next))
        return false;
    for (size_t i = 0; i < placements.size(); ++i)
        placements[i].after = next->placements[i].after;
    return true;
}

ResizeObjectCommand::ResizeObjectCommand(ReportTemplate *report, ObjectId object,
                                         const QRectF &before, const QRectF &after)
    : PlacementCommand(report, {{object, before, after}}, QStringLiteral("改变大小"))
{}

PropertyCommand::PropertyCommand(ReportTemplate *report, ObjectId object, DesignerProperty property,
                                 const QVariant &before, const QVariant &after)
    : QUndoCommand(QStringLiteral("修改属性")), report(report), object(object), property(property),
      before(before), after(after)
{}

void PropertyCommand::apply(const QVariant &value)
{
    if (ReportObject *target = report->object(object))
        DesignerProperties::write(*target, property, value);
}

void PropertyCommand::redo()
{
    apply(after);
}

void PropertyCommand::undo()
{
    apply(before);
}

int PropertyCommand::id() const
{
    return PropertyId;
}

bool PropertyCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const PropertyCommand *>(other);
    if (property != DesignerProperty::Text || next->property != property || next->object != object)
        return false;
    after = next->after;
    return true;
}

AddObjectCommand::AddObjectCommand(ReportTemplate *report, ReportBand *band,
                                   std::unique_ptr<ReportObject> object)
    : QUndoCommand(QStringLiteral("添加对象")), band(band), report(report), held(std::move(object))
{}

void AddObjectCommand::redo()
{
    added = band->addObject(std::move(held))->id();
}

void AddObjectCommand::undo()
{
    held = band->takeObject(report->object(added));
}

DeleteObjectsCommand::DeleteObjectsCommand(ReportTemplate *report, std::vector<ObjectId> objects)
    : QUndoCommand(QStringLiteral("删除对象")), report(report), ids(std::move(objects))
{}

void DeleteObjectsCommand::redo()
{
    for (ObjectId id : ids) {
        ReportObject *object = report->object(id);
        if (!object)
            continue;
        ReportBand *band = object->band();
        const int index = band->indexOf(object);
        taken.push_back({band, index, band->takeObject(object)});
    }
}

void DeleteObjectsCommand::undo()
{
    // Back in reverse order, so every object returns to its own index.
    for (auto it = taken.rbegin(); it != taken.rend(); ++it)
        it->band->insertObject(it->index, std::move(it->object));
    taken.clear();
}
