#include "ReportBand.h"

#include "ReportError.h"
#include "ReportTemplate.h"

#include <algorithm>

ReportBand::ReportBand(BandType type) : m_type(type)
{}

ReportBand::~ReportBand() = default;

void ReportBand::notify()
{
    if (m_owner)
        m_owner->bandEdited(this);
}

void ReportBand::setType(BandType type)
{
    if (type == m_type)
        return;
    m_type = type;
    notify();
}

void ReportBand::setTop(double top)
{
    if (top == m_top)
        return;
    m_top = top;
    notify();
}

void ReportBand::setHeight(double height)
{
    if (height == m_height)
        return;
    m_height = height;
    notify();
}

void ReportBand::setDataset(const QString &name)
{
    if (name == m_dataset)
        return;
    m_dataset = name;
    notify();
}

int ReportBand::indexOf(const ReportObject *object) const
{
    auto found = std::find_if(m_objects.begin(), m_objects.end(),
                              [object](const auto &own) { return own.get() == object; });
    return found == m_objects.end() ? -1 : int(found - m_objects.begin());
}

ReportObject *ReportBand::insertObject(int index, std::unique_ptr<ReportObject> object)
{
    if (object->name().trimmed().isEmpty())
        throw ReportError(QStringLiteral("对象名称不能为空"));
    const bool taken =
        m_owner ? !m_owner->isNameFree(object->name())
                : std::any_of(m_objects.begin(), m_objects.end(), [&object](const auto &own) {
                      return own->name().compare(object->name(), Qt::CaseInsensitive) == 0;
                  });
    if (taken)
        throw ReportError(QStringLiteral("对象名称“%1”已被使用").arg(object->name()));
    if (index < 0 || index > int(m_objects.size()))
        index = int(m_objects.size());
    ReportObject *raw = object.get();
    raw->m_band = this;
    m_objects.insert(m_objects.begin() + index, std::move(object));
    if (m_owner)
        m_owner->adopt(this, raw);
    return raw;
}

std::unique_ptr<ReportObject> ReportBand::takeObject(ReportObject *object)
{
    const int index = indexOf(object);
    if (index < 0)
        return nullptr;
    std::unique_ptr<ReportObject> own = std::move(m_objects[size_t(index)]);
    m_objects.erase(m_objects.begin() + index);
    own->m_band = nullptr;
    if (m_owner)
        m_owner->release(own.get());
    return own;
}

QString bandTypeName(BandType type)
{
    switch (type) {
    case BandType::Fixed:
        return QStringLiteral("fixed");
    case BandType::PageHeader:
        return QStringLiteral("pageHeader");
    case BandType::Data:
        return QStringLiteral("data");
    case BandType::PageFooter:
        return QStringLiteral("pageFooter");
    case BandType::Footer:
        return QStringLiteral("footer");
    }
    return {};
}
